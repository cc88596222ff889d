// Dimensions, leaders and feature control frames through DXF files: what the classes do not
// model is written back as read, the measurement follows the geometry, faults are found.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>

#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The model-space annotations and paragraph texts of a database by record type, in order
// (a dimension's record, "DIMENSION" for proxies of dimensions too).
std::multimap<std::string, QvDbObjectId> entitiesByType(QvDbDatabase& db) {
  std::multimap<std::string, QvDbObjectId> out;
  QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForRead);
  for (const QvDbObjectId& id : space->entityIds()) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    std::string type;
    if (const auto* proxy = QvDbProxyEntity::cast(entity.object()))
      type = proxy->originalDxfName().utf8();
    if (QvDbDimension::cast(entity.object()))
      type = QvDxfFilerRegistry::instance().forObject(entity->isA()).recordName();
    if (QvDbLeader::cast(entity.object())) type = "LEADER";
    if (QvDbFcf::cast(entity.object())) type = "TOLERANCE";
    if (QvDbMText::cast(entity.object())) type = "MTEXT";
    out.emplace(type, id);
  }
  return out;
}

// The DXF text of a drawing with one entity in model space, made by `make`.
template <class Make>
std::string drawingWith(QvDbDatabase* db, Make make) {
  EXPECT_FALSE(appendToModelSpace(db, make(db)).isNull());
  return dxfText(*db);
}

// The groups of an object as written.
DxfGroups writtenRecord(QvDbDatabase& db, QvDbObjectId id) {
  return recordOf(groupsOf(dxfText(db)), handleOf(id));
}

// Replaces the first `from` after the first `after` in `text`.
void replaceAfter(std::string& text, const std::string& after, const std::string& from,
                  const std::string& to) {
  const size_t anchor = text.find(after);
  ASSERT_NE(std::string::npos, anchor) << after;
  const size_t at = text.find(from, anchor);
  ASSERT_NE(std::string::npos, at) << from;
  text.replace(at, from.size(), to);
}

}  // namespace

class DxfAnnotationsTest : public HostFixture {};

// ezdxf's R2018 drawing: ezdxf sees what was read here and what was written from it (values and
// the kinds not modelled kept as read), and what the classes do not model is written as read.
TEST_F(DxfAnnotationsTest, EzdxfsAnnotationsAreReadWithTheirValuesAndUnknownKindsKeptAsRead) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  TempFolder folder;
  const EzdxfMade theirs =
      EzdxfProbe{dxfDataPath("ezdxf_probe.py"), describeAsJson}.readMade(folder, {"R2018"});
  ASSERT_TRUE(theirs.db);
  const auto entities = entitiesByType(*theirs.db);
  // Lengths, radius, diameter, two angles and two ordinates; an arc length and a jogged radius.
  ASSERT_EQ(8u, entities.count("DIMENSION"));
  EXPECT_EQ(1u, entities.count("ARC_DIMENSION"));
  EXPECT_EQ(1u, entities.count("LARGE_RADIAL_DIMENSION"));
  EXPECT_EQ(1u, entities.count("LEADER"));
  EXPECT_EQ(1u, entities.count("TOLERANCE"));
  const DxfGroups before = groupsOf(theirs.made);
  const DxfGroups after = groupsOf(theirs.written);
  const auto dimension = entities.find("DIMENSION");
  struct Kept {
    QvDbObjectId id;
    std::vector<int> codes;
    std::vector<std::string> markers;
  };
  const Kept kept[] = {
      {dimension->second,
       {1, 2, 3, 10, 11, 13, 14, 50, 70, 71},
       {"AcDbEntity", "AcDbDimension", "AcDbAlignedDimension", "AcDbRotatedDimension"}},
      {std::next(dimension, 2)->second,  // the radius
       {1, 2, 3, 10, 11, 15, 40, 70, 71, 280},
       {"AcDbEntity", "AcDbDimension", "AcDbRadialDimension"}},
  };
  for (const Kept& k : kept) {
    const DxfGroups was = recordOf(before, handleOf(k.id));
    const DxfGroups now = recordOf(after, handleOf(k.id));
    ASSERT_FALSE(was.empty());
    for (const int code : k.codes)
      EXPECT_EQ(valuesOf(was, code), valuesOf(now, code)) << handleOf(k.id) << " group " << code;
    EXPECT_EQ(k.markers, valuesOf(now, 100));
  }
}

// A rotated dimension with a style, a text of the user's, a user-placed text (bit 128) added
// by another writer: the kept groups follow those the class models and come back alike; the
// measurement written follows the geometry.
TEST_F(DxfAnnotationsTest, KeptGroupsStayAndTheMeasurementFollowsTheGeometry) {
  std::string text = drawingWith(db(), [](QvDbDatabase*) {
    return new QvDbRotatedDimension(0.0, QvGePoint3d(0, 0, 0), QvGePoint3d(3, 4, 0),
                                    QvGePoint3d(0, 6, 0));
  });
  const QvDbObjectId made = entitiesByType(*db()).find("DIMENSION")->second;
  EXPECT_EQ(std::vector<std::string>({"3.0"}), valuesOf(writtenRecord(*db(), made), 42));
  replaceAfter(text, "AcDbDimension\n", " 10\n", "  3\nNarrow\n  1\n<> mm\n 10\n");
  replaceAfter(text, "AcDbDimension\n", " 70\n0\n", " 70\n128\n");
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  EXPECT_TRUE(readsBackAlike(dxfText(*read)));

  const QvDbObjectId id = entitiesByType(*read).find("DIMENSION")->second;
  {
    QvDbObjectPointer<QvDbRotatedDimension> dimension(id, QvDb::kForWrite);
    ASSERT_TRUE(dimension);
    EXPECT_EQ(Vexa::eOk, dimension->setRotation(kPi / 2));
    EXPECT_EQ(Vexa::eOk, dimension->setXLine2Point(QvGePoint3d(3, 4.5, 0)));
  }
  const DxfGroups groups = writtenRecord(*read, id);
  ASSERT_EQ(1u, valuesOf(groups, 42).size());
  EXPECT_NEAR(4.5, std::stod(valuesOf(groups, 42)[0]), 1e-12);
  ASSERT_EQ(1u, valuesOf(groups, 50).size());
  EXPECT_NEAR(90.0, std::stod(valuesOf(groups, 50)[0]), 1e-12);
  EXPECT_EQ(std::vector<std::string>({"Narrow"}), valuesOf(groups, 3));
  EXPECT_EQ(std::vector<std::string>({"<> mm"}), valuesOf(groups, 1));
  EXPECT_EQ(std::vector<std::string>({"128"}), valuesOf(groups, 70));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}

TEST_F(DxfAnnotationsTest, FaultyAnnotationsAreMendedOrRefusedWithTheirLine) {
  std::string aligned = drawingWith(db(), [](QvDbDatabase* db) {
    auto* dimension =
        new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0), QvGePoint3d(0, 1, 0));
    dimension->setDimBlockId(db->modelSpaceId());  // any block will do for the name
    return dimension;
  });
  {  // A dimension naming a block the file lacks: read without it, the line told.
    replaceAfter(aligned, "AcDbDimension\n", "  2\n*Model_Space\n", "  2\n*D404\n");
    QvDxfReadResult result;
    auto read = readDxf(aligned, result);
    ASSERT_TRUE(read) << result.message();
    ASSERT_THAT(codesOf(result), testing::ElementsAre(QvDxfDiagnostic::kDimensionBlockDropped));
    EXPECT_EQ(lineOf(aligned, "*D404"), result.diagnostics[0].line);
    QvDbObjectPointer<QvDbAlignedDimension> dimension(
        entitiesByType(*read).find("DIMENSION")->second, QvDb::kForRead);
    ASSERT_TRUE(dimension);
    EXPECT_TRUE(dimension->dimBlockId().isNull());
    EXPECT_POINT_NEAR(QvGePoint3d(2, 0, 0), dimension->xLine2Point(), 1e-12);
  }
  std::string leader = drawingWith(db(), [](QvDbDatabase*) {
    auto* leader = new QvDbLeader();
    leader->appendVertex(QvGePoint3d(0, 0, 0));
    leader->appendVertex(QvGePoint3d(1, 1, 0));
    return leader;
  });
  {  // A vertex count that is not the count of vertices: the vertices are read, the line told.
    replaceAfter(leader, "AcDbLeader\n", " 76\n2\n", " 76\n5\n");
    QvDxfReadResult result;
    auto read = readDxf(leader, result);
    ASSERT_TRUE(read) << result.message();
    ASSERT_THAT(codesOf(result), testing::ElementsAre(QvDxfDiagnostic::kVertexCountCorrected));
    EXPECT_NE(0u, result.diagnostics[0].line);
    QvDbObjectPointer<QvDbLeader> read1(entitiesByType(*read).find("LEADER")->second,
                                        QvDb::kForRead);
    EXPECT_EQ(2, read1->numVertices());
  }
  // A direction along the normal gives no frame: refused, nothing half read.
  std::string frame = drawingWith(db(), [](QvDbDatabase*) {
    return new QvDbFcf(L"A", QvGePoint3d(1, 2, 0), QvGeVector3d::kZAxis, QvGeVector3d::kYAxis);
  });
  replaceAfter(frame, "AcDbFcf\n", " 11\n0.0\n 21\n1.0\n 31\n0.0\n",
               " 11\n0.0\n 21\n0.0\n 31\n2.0\n");
  EXPECT_TRUE(refusedAt(frame, QvDxfDiagnostic::kRefusedValue));
}

// An ordinate of y, with a style and a user-placed text (bit 128) and a group its subclass does
// not model: all kept; turned to x, the type follows and keeps the other bits.
TEST_F(DxfAnnotationsTest, AnOrdinateKeepsWhatItDoesNotModelAndWritesItsAxis) {
  std::string text = drawingWith(db(), [](QvDbDatabase*) {
    auto* ordinate = new QvDbOrdinateDimension(false, QvGePoint3d(4, 6, 0), QvGePoint3d(8, 7, 0));
    ordinate->setOrigin(QvGePoint3d(1, 1, 0));
    return ordinate;
  });
  const DxfGroups written = writtenRecord(*db(), entitiesByType(*db()).find("DIMENSION")->second);
  EXPECT_EQ(std::vector<std::string>({"6"}), valuesOf(written, 70));
  EXPECT_EQ(std::vector<std::string>({"5.0"}), valuesOf(written, 42));
  replaceAfter(text, "AcDbDimension\n", " 10\n", "  3\nNarrow\n 10\n");
  replaceAfter(text, "AcDbDimension\n", " 70\n6\n", " 70\n134\n");
  replaceAfter(text, "AcDbOrdinateDimension\n", " 13\n", " 40\n2.5\n 13\n");
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  EXPECT_TRUE(readsBackAlike(dxfText(*read)));

  const QvDbObjectId id = entitiesByType(*read).find("DIMENSION")->second;
  {
    QvDbObjectPointer<QvDbOrdinateDimension> ordinate(id, QvDb::kForWrite);
    ASSERT_TRUE(ordinate);
    EXPECT_TRUE(ordinate->isUsingYAxis());
    EXPECT_EQ(Vexa::eOk, ordinate->useXAxis());
  }
  const DxfGroups groups = writtenRecord(*read, id);
  EXPECT_EQ(std::vector<std::string>({"198"}), valuesOf(groups, 70));  // 6 + 64 + 128
  ASSERT_EQ(1u, valuesOf(groups, 42).size());
  EXPECT_NEAR(3.0, std::stod(valuesOf(groups, 42)[0]), 1e-12);
  EXPECT_EQ(std::vector<std::string>({"Narrow"}), valuesOf(groups, 3));
  EXPECT_EQ(std::vector<std::string>({"2.5"}), valuesOf(groups, 40));
  // The kept group stays in the ordinate's subclass.
  const auto marker = std::find(groups.begin(), groups.end(),
                                std::pair<int, std::string>(100, "AcDbOrdinateDimension"));
  const auto kept = std::find(groups.begin(), groups.end(), std::pair<int, std::string>(40, "2.5"));
  EXPECT_LT(marker, kept);
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}

// The user's text and text rotation in the dimension block, as ezdxf reads the record and as
// it draws the same dimension itself. The dimensions measure 5 along (3,4), whose direction
// is at 53.130102 degrees (rotated dimensions: ezdxf draws a length along their angle).
TEST_F(DxfAnnotationsTest, TheUsersTextAndRotationAreDrawnAsEzdxfDrawsThem) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  struct Case {
    const wchar_t* text;
    double degrees;
    std::string ezdxfBlock;  // the MTEXT ezdxf draws, as the probe prints it
  };
  const std::vector<Case> cases = {
      {L"Door", 30.0, "Door@30.000000"},  // a text of its own, turned
      {L" ", 0.0, ""},                    // no text at all
      {L"<>", 0.0, "5@53.130102"},        // the measurement, along the dimension
      {L"", 300.0, "5@300.000000"},       // the measurement, turned
  };
  std::vector<std::string> handles;
  for (const Case& c : cases) {
    auto* dimension = new QvDbRotatedDimension(std::atan2(4.0, 3.0), QvGePoint3d(0, 0, 0),
                                               QvGePoint3d(3, 4, 0), QvGePoint3d(-4, 3, 0));
    ASSERT_EQ(Vexa::eOk, dimension->setDimensionText(c.text));
    ASSERT_EQ(Vexa::eOk, dimension->setTextRotation(c.degrees * kPi / 180.0));
    const QvDbObjectId id = appendToModelSpace(db(), dimension);
    ASSERT_FALSE(id.isNull());
    handles.push_back(handleOf(id));
  }
  TempFolder folder;
  const PythonRun run = runPython(
      {dxfDataPath("ezdxf_dimtext_probe.py"), folder.file("dimtext.dxf", dxfText(*db()))});
  ASSERT_EQ(0, run.status) << run.output;
  // Each line: handle|text|rotation|our block's texts|ezdxf's block's texts.
  std::map<std::string, std::vector<std::string>> lines;
  std::istringstream output(run.output);
  for (std::string line; std::getline(output, line);) {
    std::vector<std::string> fields;
    std::istringstream in(line + "|");
    for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
    if (fields.size() == 5) lines[fields[0]] = fields;
  }
  for (size_t i = 0; i < cases.size(); ++i) {
    const auto found = lines.find(handles[i]);
    ASSERT_NE(found, lines.end()) << handles[i] << "\n" << run.output;
    const std::vector<std::string>& f = found->second;
    EXPECT_EQ(QvString(cases[i].text).utf8(), f[1]) << i;
    EXPECT_NEAR(cases[i].degrees, std::stod(f[2]), 1e-9) << i;
    EXPECT_EQ(cases[i].ezdxfBlock, f[4]) << i << ": what ezdxf draws";
    EXPECT_EQ(f[4], f[3]) << i << ": our block beside ezdxf's";
  }

  // "<>" within a text stands for the measurement (ezdxf draws such texts as they stand).
  auto* withText =
      new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(3, 4, 0), QvGePoint3d(-4, 3, 0));
  withText->setDimensionText(L"<> mm (<>)");
  const QvDbObjectId id = appendToModelSpace(db(), withText);
  ASSERT_FALSE(id.isNull());
  QvDbObjectPointer<QvDbAlignedDimension> dimension(id, QvDb::kForRead);
  std::vector<std::wstring> labels;
  for (const QvDbObjectId& e : entitiesOf(dimension->dimBlockId())) {
    QvDbObjectPointer<QvDbMText> label(e, QvDb::kForRead);
    if (label) labels.push_back(label->contents().wstr());
  }
  EXPECT_EQ(std::vector<std::wstring>({L"5 mm (5)"}), labels);
  EXPECT_EQ(Vexa::eInvalidInput, QvDbAlignedDimension().setTextRotation(std::nan("")));
}
