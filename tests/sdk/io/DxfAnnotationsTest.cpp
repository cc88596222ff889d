// Dimensions, leaders and feature control frames through DXF files: the values ezdxf wrote are
// the values read here, what the classes do not model is written back as read, the measurement
// written follows the geometry, and faulty records are mended or refused with their line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
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
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfNumber.h"
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

TEST_F(DxfAnnotationsTest, EzdxfsAnnotationsAreReadWithTheirValuesAndUnknownKindsKeptAsRead) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  TempFolder folder;
  const std::string made = folder.path("made.dxf");
  const PythonRun run = runPython({dxfDataPath("ezdxf_probe.py"), "make", "R2018", made});
  ASSERT_EQ(0, run.status) << run.output;
  QvDbDatabase read(false);
  ASSERT_EQ(Vexa::eOk, read.readDwgFile(QvString(made.c_str()))) << read.fileMessage();
  const auto entities = entitiesByType(read);
  // Lengths, radius, diameter, two angles and two ordinates; an arc length and a jogged radius.
  ASSERT_EQ(8u, entities.count("DIMENSION"));
  EXPECT_EQ(1u, entities.count("ARC_DIMENSION"));
  EXPECT_EQ(1u, entities.count("LARGE_RADIAL_DIMENSION"));
  auto dimension = entities.find("DIMENSION");

  {  // add_linear_dim(p1=(0, 0), p2=(4, 3), angle=30): measured along 30 degrees.
    QvDbObjectPointer<QvDbRotatedDimension> rotated(dimension->second, QvDb::kForRead);
    ASSERT_TRUE(rotated);
    EXPECT_POINT_NEAR(QvGePoint3d(0, 0, 0), rotated->xLine1Point(), 1e-12);
    EXPECT_POINT_NEAR(QvGePoint3d(4, 3, 0), rotated->xLine2Point(), 1e-12);
    EXPECT_NEAR(30 * kPi / 180, rotated->rotation(), 1e-12);
    EXPECT_NEAR(4 * std::cos(kPi / 6) + 3 * std::sin(kPi / 6), rotated->measurement(), 1e-12);
    // The dimension line runs through the base point along 30 degrees.
    const QvGeVector3d offset = rotated->dimLinePoint() - QvGePoint3d(3, 2, 0);
    EXPECT_NEAR(0.0, offset.x * std::sin(kPi / 6) - offset.y * std::cos(kPi / 6), 1e-9);
    ASSERT_FALSE(rotated->dimBlockId().isNull());
    EXPECT_EQ(L'*', QvDbSymbolTableRecord::nameOf(rotated->dimBlockId()).getAt(0));
    EXPECT_STREQ(L"Walls", rotated->layer().c_str());
  }
  {  // add_aligned_dim(p1=(1, 5), p2=(4, 9), distance=1.5): ezdxf writes a rotated dimension
     // along the measured line, 1.5 off it.
    QvDbObjectPointer<QvDbRotatedDimension> along((++dimension)->second, QvDb::kForRead);
    ASSERT_TRUE(along);
    EXPECT_POINT_NEAR(QvGePoint3d(1, 5, 0), along->xLine1Point(), 1e-12);
    EXPECT_POINT_NEAR(QvGePoint3d(4, 9, 0), along->xLine2Point(), 1e-12);
    EXPECT_NEAR(std::atan2(4.0, 3.0), along->rotation(), 1e-12);
    EXPECT_NEAR(5.0, along->measurement(), 1e-12);
    const QvGeVector3d off = along->dimLinePoint() - QvGePoint3d(1, 5, 0);
    EXPECT_NEAR(1.5, std::fabs(off.x * 4 - off.y * 3) / 5, 1e-9);
  }
  const QvDbObjectId radiusId = (++dimension)->second;
  {  // add_radius_dim(center=(10, 10), radius=2.5, angle=45), without a leader length.
    QvDbObjectPointer<QvDbRadialDimension> radial(radiusId, QvDb::kForRead);
    ASSERT_TRUE(radial);
    EXPECT_POINT_NEAR(QvGePoint3d(10, 10, 0), radial->center(), 1e-12);
    EXPECT_POINT_NEAR(QvGePoint3d(10, 10, 0) + QvGeVector3d(1, 1, 0).normal() * 2.5,
                      radial->chordPoint(), 1e-12);
    EXPECT_EQ(0.0, radial->leaderLength());
    EXPECT_NEAR(2.5, radial->measurement(), 1e-12);
  }
  {
    QvDbObjectPointer<QvDbLeader> leader(entities.find("LEADER")->second, QvDb::kForRead);
    ASSERT_TRUE(leader);
    ASSERT_EQ(3, leader->numVertices());
    const QvGePoint3d expected[] = {{8, 2, 0}, {10, 5.5, 0}, {11.75, 5.875, 0}};
    for (int i = 0; i < 3; ++i) {
      QvGePoint3d vertex;
      ASSERT_EQ(Vexa::eOk, leader->getVertexAt(i, vertex));
      EXPECT_POINT_NEAR(expected[i], vertex, 1e-12);
    }
    // The annotation is the paragraph text "See detail A".
    bool found = false;
    for (auto [it, last] = entities.equal_range("MTEXT"); it != last; ++it)
      found = found || it->second == leader->annotationObjId();
    EXPECT_TRUE(found);
  }
  {
    QvDbObjectPointer<QvDbFcf> frame(entities.find("TOLERANCE")->second, QvDb::kForRead);
    ASSERT_TRUE(frame);
    EXPECT_STREQ(L"{\\Fgdt;j}%%v0.1%%vA\n{\\Fgdt;u}%%v0.05", frame->text().c_str());
    EXPECT_POINT_NEAR(QvGePoint3d(3, -4, 0), frame->location(), 1e-12);
    EXPECT_POINT_NEAR(QvGePoint3d(0, 1, 0), QvGePoint3d::kOrigin + frame->direction(), 1e-12);
  }

  // Written back with what they keep.
  const std::string written = folder.path("written.dxf");
  ASSERT_EQ(Vexa::eOk, read.saveAs(QvString(written.c_str()))) << read.fileMessage();
  const DxfGroups before = groupsOf(readFile(made));
  const DxfGroups after = groupsOf(readFile(written));
  const std::string radiusHandle = radiusId.handle().ascii().utf8();
  EXPECT_FALSE(recordOf(before, radiusHandle).empty());
  const DxfGroups radiusBefore = recordOf(before, radiusHandle);
  const DxfGroups radiusAfter = recordOf(after, radiusHandle);
  for (const int code : {1, 2, 3, 10, 11, 15, 40, 70, 71, 280})
    EXPECT_EQ(valuesOf(radiusBefore, code), valuesOf(radiusAfter, code)) << "group " << code;
  EXPECT_EQ(std::vector<std::string>({"AcDbEntity", "AcDbDimension", "AcDbRadialDimension"}),
            valuesOf(radiusAfter, 100));
  const std::string rotatedHandle = entities.find("DIMENSION")->second.handle().ascii().utf8();
  const DxfGroups rotatedBefore = recordOf(before, rotatedHandle);
  const DxfGroups rotatedAfter = recordOf(after, rotatedHandle);
  for (const int code : {1, 2, 3, 10, 11, 13, 14, 50, 70, 71})
    EXPECT_EQ(valuesOf(rotatedBefore, code), valuesOf(rotatedAfter, code)) << "group " << code;
  EXPECT_EQ(std::vector<std::string>(
                {"AcDbEntity", "AcDbDimension", "AcDbAlignedDimension", "AcDbRotatedDimension"}),
            valuesOf(rotatedAfter, 100));
}

TEST_F(DxfAnnotationsTest, KeptGroupsStayAndTheMeasurementFollowsTheGeometry) {
  std::string text = drawingWith(db(), [](QvDbDatabase*) {
    return new QvDbRotatedDimension(0.0, QvGePoint3d(0, 0, 0), QvGePoint3d(3, 4, 0),
                                    QvGePoint3d(0, 6, 0));
  });
  const std::string handle =
      entitiesByType(*db()).find("DIMENSION")->second.handle().ascii().utf8();
  EXPECT_EQ(std::vector<std::string>({"3.0"}), valuesOf(recordOf(groupsOf(text), handle), 42));
  // A style, a text of the user's, a user-placed text (bit 128) added by another writer.
  replaceAfter(text, "AcDbDimension\n", " 10\n", "  3\nNarrow\n  1\n<> mm\n 10\n");
  replaceAfter(text, "AcDbDimension\n", " 70\n0\n", " 70\n128\n");
  Vexa::ErrorStatus status;
  QvString message;
  auto read = readDxf(text, &status, &message);
  ASSERT_TRUE(read) << message;
  // The kept groups follow those the class models; written so, the text comes back alike.
  const std::string once = dxfText(*read);
  auto again = readDxf(once);
  ASSERT_TRUE(again);
  EXPECT_EQ(once, dxfText(*again));

  const QvDbObjectId id = entitiesByType(*read).find("DIMENSION")->second;
  {
    QvDbObjectPointer<QvDbRotatedDimension> dimension(id, QvDb::kForWrite);
    ASSERT_TRUE(dimension);
    EXPECT_EQ(Vexa::eOk, dimension->setRotation(kPi / 2));
    EXPECT_EQ(Vexa::eOk, dimension->setXLine2Point(QvGePoint3d(3, 4.5, 0)));
  }
  const DxfGroups groups = recordOf(groupsOf(dxfText(*read)), id.handle().ascii().utf8());
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
  const std::string aligned = drawingWith(db(), [](QvDbDatabase* db) {
    auto* dimension =
        new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0), QvGePoint3d(0, 1, 0));
    dimension->setDimBlockId(db->modelSpaceId());  // any block will do for the name
    return dimension;
  });
  {  // A dimension naming a block the file lacks: read without it, the line told.
    std::string text = aligned;
    replaceAfter(text, "AcDbDimension\n", "  2\n*Model_Space\n", "  2\n*D404\n");
    QvDxfReadResult result;
    auto read = readDxf(text, result);
    ASSERT_TRUE(read) << result.message();
    ASSERT_THAT(codesOf(result), testing::ElementsAre(QvDxfDiagnostic::kDimensionBlockDropped));
    EXPECT_EQ(lineOf(text, "*D404"), result.diagnostics[0].line);
    QvDbObjectPointer<QvDbAlignedDimension> dimension(
        entitiesByType(*read).find("DIMENSION")->second, QvDb::kForRead);
    ASSERT_TRUE(dimension);
    EXPECT_TRUE(dimension->dimBlockId().isNull());
    EXPECT_POINT_NEAR(QvGePoint3d(2, 0, 0), dimension->xLine2Point(), 1e-12);
  }
  const std::string leader = drawingWith(db(), [](QvDbDatabase*) {
    auto* leader = new QvDbLeader();
    leader->appendVertex(QvGePoint3d(0, 0, 0));
    leader->appendVertex(QvGePoint3d(1, 1, 0));
    return leader;
  });
  {  // A vertex count that is not the count of vertices: the vertices are read, the line told.
    std::string text = leader;
    replaceAfter(text, "AcDbLeader\n", " 76\n2\n", " 76\n5\n");
    QvDxfReadResult result;
    auto read = readDxf(text, result);
    ASSERT_TRUE(read) << result.message();
    ASSERT_THAT(codesOf(result), testing::ElementsAre(QvDxfDiagnostic::kVertexCountCorrected));
    EXPECT_NE(0u, result.diagnostics[0].line);
    QvDbObjectPointer<QvDbLeader> read1(entitiesByType(*read).find("LEADER")->second,
                                        QvDb::kForRead);
    EXPECT_EQ(2, read1->numVertices());
  }
  const std::string frame = drawingWith(db(), [](QvDbDatabase*) {
    return new QvDbFcf(L"A", QvGePoint3d(1, 2, 0), QvGeVector3d::kZAxis, QvGeVector3d::kYAxis);
  });
  {  // A direction along the normal gives no frame: refused, nothing half read.
    std::string text = frame;
    replaceAfter(text, "AcDbFcf\n", " 11\n0.0\n 21\n1.0\n 31\n0.0\n",
                 " 11\n0.0\n 21\n0.0\n 31\n2.0\n");
    QvDxfReadResult result;
    EXPECT_FALSE(readDxf(text, result));
    ASSERT_NE(nullptr, result.refusal());
    EXPECT_EQ(QvDxfDiagnostic::kRefusedValue, result.refusal()->code) << result.message();
    EXPECT_NE(0u, result.refusal()->line);
  }
}

// An ordinate of y, with a style and a user-placed text (bit 128) and a group its subclass does
// not model: all kept; turned to x, the type follows and keeps the other bits.
TEST_F(DxfAnnotationsTest, AnOrdinateKeepsWhatItDoesNotModelAndWritesItsAxis) {
  std::string text = drawingWith(db(), [](QvDbDatabase*) {
    auto* ordinate = new QvDbOrdinateDimension(false, QvGePoint3d(4, 6, 0), QvGePoint3d(8, 7, 0));
    ordinate->setOrigin(QvGePoint3d(1, 1, 0));
    return ordinate;
  });
  const std::string handle =
      entitiesByType(*db()).find("DIMENSION")->second.handle().ascii().utf8();
  const DxfGroups written = recordOf(groupsOf(text), handle);
  EXPECT_EQ(std::vector<std::string>({"6"}), valuesOf(written, 70));
  EXPECT_EQ(std::vector<std::string>({"5.0"}), valuesOf(written, 42));
  replaceAfter(text, "AcDbDimension\n", " 10\n", "  3\nNarrow\n 10\n");
  replaceAfter(text, "AcDbDimension\n", " 70\n6\n", " 70\n134\n");
  replaceAfter(text, "AcDbOrdinateDimension\n", " 13\n", " 40\n2.5\n 13\n");
  QvString message;
  auto read = readDxf(text, nullptr, &message);
  ASSERT_TRUE(read) << message;
  const std::string once = dxfText(*read);
  auto again = readDxf(once);
  ASSERT_TRUE(again);
  EXPECT_EQ(once, dxfText(*again));

  const QvDbObjectId id = entitiesByType(*read).find("DIMENSION")->second;
  {
    QvDbObjectPointer<QvDbOrdinateDimension> ordinate(id, QvDb::kForWrite);
    ASSERT_TRUE(ordinate);
    EXPECT_TRUE(ordinate->isUsingYAxis());
    EXPECT_EQ(Vexa::eOk, ordinate->useXAxis());
  }
  const DxfGroups groups = recordOf(groupsOf(dxfText(*read)), id.handle().ascii().utf8());
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
    handles.push_back(id.handle().ascii().utf8());
  }
  TempFolder folder;
  const std::string path = folder.path("dimtext.dxf");
  writeFile(path, dxfText(*db()));
  const PythonRun run = runPython({dxfDataPath("ezdxf_dimtext_probe.py"), path});
  ASSERT_EQ(0, run.status) << run.output;
  std::map<std::string, std::vector<std::string>> lines;
  for (size_t at = 0; at < run.output.size();) {
    const size_t end = std::min(run.output.find('\n', at), run.output.size());
    std::vector<std::string> fields;
    const std::string line = run.output.substr(at, end - at);
    for (size_t f = 0; f <= line.size();) {
      const size_t bar = std::min(line.find('|', f), line.size());
      fields.push_back(line.substr(f, bar - f));
      f = bar + 1;
    }
    if (fields.size() == 5) lines[fields[0]] = fields;
    at = end + 1;
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
  QvDbObjectPointer<QvDbBlockTableRecord> block(dimension->dimBlockId(), QvDb::kForRead);
  std::vector<std::wstring> labels;
  for (const QvDbObjectId& e : block->entityIds()) {
    QvDbObjectPointer<QvDbMText> label(e, QvDb::kForRead);
    if (label) labels.push_back(label->contents().wstr());
  }
  EXPECT_EQ(std::vector<std::wstring>({L"5 mm (5)"}), labels);
  EXPECT_EQ(Vexa::eInvalidInput, QvDbAlignedDimension().setTextRotation(std::nan("")));
}
