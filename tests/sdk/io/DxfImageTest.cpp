// Raster images, wipeouts, image definitions, fields and evaluation graphs through DXF files,
// ours read by ezdxf and ezdxf's read here, alike; groups not modelled stay.
#include <gtest/gtest.h>

#include <string>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbField.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbRasterImage.h"
#include "sdk/db/QvDbRasterImageDef.h"
#include "sdk/db/QvDbTagEvalGraph.h"
#include "sdk/db/QvDbWipeout.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/io/QvDxfNumber.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

using json::real;

// The images and wipeouts of the model space in the form ezdxf_image_probe.py compares.
std::string describeImages(QvDbDatabase& db) {
  std::string out = "[";
  for (const QvDbObjectId& id : entitiesOf(db.modelSpaceId())) {
    QvDbObjectPointer<QvDbRasterImage> image(id, QvDb::kForRead);
    if (!image) continue;
    QvGePoint3d origin;
    QvGeVector3d u;
    QvGeVector3d v;
    image->getOrientation(origin, u, v);
    const QvGeVector2d size = image->imageSize();
    QvGePoint3dArray vertices;
    image->getVertices(vertices);
    std::string file = "null";
    if (QvDbObjectPointer<QvDbRasterImageDef> def(image->imageDefId(), QvDb::kForRead); def)
      file = "\"" + def->sourceFileName().utf8() + "\"";
    out += std::string(out.size() > 1 ? "," : "") + "{\"type\":\"" +
           (QvDbWipeout::cast(image.object()) ? "WIPEOUT" : "IMAGE") +
           "\",\"insert\":" + json::point(origin) + ",\"u\":" + json::point(u / size.x) +
           ",\"v\":" + json::point(v / size.y) + ",\"size\":[" + real(size.x) + "," + real(size.y) +
           ",0]" + ",\"clipped\":" + (image->isClipped() ? "true" : "false") +
           ",\"boundary\":" + json::points(vertices) + ",\"file\":" + file + "}";
  }
  return out + "]\n";
}

const EzdxfProbe kProbe{dxfDataPath("ezdxf_image_probe.py"), describeImages};

}  // namespace

class DxfImageTest : public DxfFolderTest {
 protected:
  // An image definition, images without clipping, clipped by a rectangle on a tilted frame and
  // by a polygon, an image without definition and a wipeout in a tilted plane.
  void addImages() {
    auto* def = new QvDbRasterImageDef();
    ASSERT_EQ(Vexa::eOk, def->setSourceFileName(L"plans/ground floor \u00E4.png"));
    ASSERT_EQ(Vexa::eOk, def->setSize(640, 480));
    ASSERT_EQ(Vexa::eOk, def->setPixelSize(0.1, 0.1));
    ASSERT_EQ(Vexa::eOk, QvDbRasterImageDef::addToDatabase(db(), L"ground", def, defId_));
    const QvDbObjectId space = db()->modelSpaceId();

    // An image of the definition on the frame (origin, u, v), clipped when a boundary is given.
    const auto addImage = [&](const QvGePoint3d& origin, const QvGeVector3d& u,
                              const QvGeVector3d& v, QvDbRasterImage::ClipBoundaryType type,
                              const QvGePoint2dArray& clip) {
      auto* image = new QvDbRasterImage();
      image->setImageDefId(defId_);
      image->setImageSize(640, 480);
      image->setOrientation(origin, u, v);
      if (!clip.isEmpty()) {
        EXPECT_EQ(Vexa::eOk, image->setClipBoundary(type, clip));
      }
      appendEntity(space, image);
    };
    addImage({10, 20, 0}, {64, 0, 0}, {0, 48, 0}, QvDbRasterImage::kRect, QvGePoint2dArray());
    addImage({-3.3, 1.7, 0.9}, {3, 4, 0.1}, {-1.2, 0.9, 0.7}, QvDbRasterImage::kRect,
             {{10.1, 20.3}, {500.7, 400}});
    addImage({1, 1, 0}, {6.4, 0, 0}, {0, 4.8, 0}, QvDbRasterImage::kPoly,
             {{0.1, 0.2}, {600, 33.3}, {320.5, 470}, {0.1, 0.2}});

    auto* wipeout = new QvDbWipeout();
    ASSERT_EQ(Vexa::eOk, wipeout->setFrom(QvGePoint2dArray({QvGePoint2d(0, 0), QvGePoint2d(4, 0.3),
                                                            QvGePoint2d(5, 3), QvGePoint2d(1, 2)}),
                                          QvGeVector3d(0.3, -0.5, 0.8).normal()));
    appendEntity(space, wipeout);
  }

  QvDbObjectId defId_;
};

TEST_F(DxfImageTest, ImagesWipeoutsAndDefinitionsComeBackAndAreWrittenAgainAlike) {
  addImages();
  if (hasEzdxf()) {  // ezdxf audits them and sees the same placement and boundaries
    EXPECT_TRUE(kProbe.agrees(*db(), folder_.file("images.dxf", dxfText(*db())), folder_));
  }
  auto* orphan = new QvDbRasterImage();  // no definition: kept so, read back without one
  orphan->setOrientation(QvGePoint3d(0, 0, 0), QvGeVector3d(2, 0, 0), QvGeVector3d(0, 1, 0));
  appendEntity(db()->modelSpaceId(), orphan);

  const std::string text = dxfText(*db());
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  // The placements, sizes and clip boundaries: a pixel of a boundary comes back to within the
  // rounding of the shift to the centre of the upper left pixel that files count from.
  EXPECT_TRUE(sameDescription(describeImages(*db()), describeImages(*read)));
  {
    QvDbObjectPointer<QvDbRasterImageDef> def(sameHandleIn(*read, defId_), QvDb::kForRead);
    ASSERT_TRUE(def);
    EXPECT_EQ(def->sourceFileName(), QvString(L"plans/ground floor \u00E4.png"));
    EXPECT_EQ(def->size().x, 640);
    EXPECT_EQ(def->size().y, 480);
    EXPECT_EQ(def->pixelSize().x, 0.1);
    EXPECT_EQ(QvDbRasterImageDef::imageDictionaryId(read.get()), def->ownerId());
  }
  EXPECT_TRUE(text == dxfText(*read));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
  EXPECT_TRUE(noAccessViolations(read.get()));
}

// What ezdxf sees is what was read; written back, the groups not modelled are those of the file.
TEST_F(DxfImageTest, ImagesAndWipeoutsWrittenByEzdxfAreReadWithTheirValuesAndKeptGroups) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  const EzdxfMade theirs = kProbe.readMade(folder_);
  ASSERT_TRUE(theirs.db);
  const QvDbObjectIdArray ids = entitiesOf(theirs.db->modelSpaceId());
  ASSERT_EQ(4, ids.length());
  const DxfGroups before = groupsOf(theirs.made);
  const DxfGroups after = groupsOf(theirs.written);
  for (const QvDbObjectId& id : ids) {
    const std::string handle = handleOf(id);
    for (const int code : {281, 282, 283, 360, 290, 340})
      EXPECT_EQ(valuesOf(recordOf(before, handle), code), valuesOf(recordOf(after, handle), code))
          << handle << " group " << code;
  }
}

TEST_F(DxfImageTest, FieldsAndEvaluationGraphsKeepWhatTheyHold) {
  const QvDbObjectId space = db()->modelSpaceId();
  const QvDbObjectId a =
      appendEntity(space, new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
  const QvDbObjectId b =
      appendEntity(space, new QvDbLine(QvGePoint3d(0, 1, 0), QvGePoint3d(1, 1, 0)));
  // A code longer than one group, a value with a character outside ASCII.
  std::wstring code = L"%<\\AcObjProp Object(%<\\_ObjId 1>%).Length \\f \"%lu2\">%";
  while (code.size() < 600) code += L" and %<\\AcVar Date>%";
  QvDbObjectId evaluatedId;
  QvDbObjectId pendingId;
  {
    QvDbObjectPointer<QvDbLine> line(a, QvDb::kForWrite);
    auto* field = new QvDbField(code.c_str());
    ASSERT_EQ(Vexa::eOk, field->setObjectIds(QvDbObjectIdArray{a, b}));
    ASSERT_EQ(Vexa::eOk, field->setValue(L"1.0000 m\u00B2"));
    ASSERT_EQ(Vexa::eOk, line->setField(L"TEXT", field, evaluatedId));
    field->close();
    auto* pending = new QvDbField(L"%<\\AcVar Filename>%");
    ASSERT_EQ(Vexa::eOk, line->setField(L"NAME", pending, pendingId));
    pending->close();
  }
  QvDbObjectId graphId;
  QvDbObjectId tagGraphId;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(space, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, QvDbEvalGraph::createGraph(record.object(), graphId));
    ASSERT_EQ(Vexa::eOk, QvDbTagEvalGraph::createGraph(record.object(), tagGraphId));
  }
  {
    QvDbObjectPointer<QvDbEvalGraph> graph(graphId, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, graph->addNode(b));
    ASSERT_EQ(Vexa::eOk, graph->addNode(a));
    QvDbObjectPointer<QvDbTagEvalGraph> tags(tagGraphId, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, tags->addTag(L"WIDTH"));
    ASSERT_EQ(Vexa::eOk, tags->addTag(L"Fl\u00FCgel"));
  }

  const std::string text = dxfText(*db());
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  const auto handles = [](const QvDbObjectIdArray& ids) { return json::array(ids, handleOf); };
  {
    QvDbObjectPointer<QvDbField> field(sameHandleIn(*read, evaluatedId), QvDb::kForRead);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->getFieldCode(), QvString(code));
    EXPECT_TRUE(field->isEvaluated());
    EXPECT_EQ(field->getValue(), QvString(L"1.0000 m\u00B2"));
    EXPECT_EQ(handles(field->objectIds()), handles(QvDbObjectIdArray{a, b}));
    QvDbObjectPointer<QvDbField> pending(sameHandleIn(*read, pendingId), QvDb::kForRead);
    ASSERT_TRUE(pending);
    EXPECT_FALSE(pending->isEvaluated());
    EXPECT_EQ(pending->getValue(), QvString(L"%<\\AcVar Filename>%"));
  }
  {
    QvDbObjectPointer<QvDbEvalGraph> graph(sameHandleIn(*read, graphId), QvDb::kForRead);
    ASSERT_TRUE(graph);
    EXPECT_EQ(handles(graph->nodes()), handles(QvDbObjectIdArray{b, a}));
    QvDbObjectPointer<QvDbTagEvalGraph> tags(sameHandleIn(*read, tagGraphId), QvDb::kForRead);
    ASSERT_TRUE(tags);
    ASSERT_EQ(2, tags->tags().length());
    EXPECT_EQ(tags->tags()[1], QvString(L"Fl\u00FCgel"));
  }
  EXPECT_TRUE(text == dxfText(*read));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}
