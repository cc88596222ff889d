// Raster images, wipeouts, image definitions, fields and evaluation graphs through DXF files:
// what each holds comes back, a file is written again alike, groups not modelled stay where
// they were, and ezdxf agrees on the images and wipeouts in both directions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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

const std::string kProbe = dxfDataPath("ezdxf_image_probe.py");

QvGePoint2dArray points2d(std::initializer_list<QvGePoint2d> points) {
  QvGePoint2dArray out;
  for (const QvGePoint2d& p : points) out.append(p);
  return out;
}

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
    std::string boundary;
    for (const QvGePoint3d& p : vertices)
      boundary += (boundary.empty() ? "" : ",") + json::point(p);
    std::string file = "null";
    if (QvDbObjectPointer<QvDbRasterImageDef> def(image->imageDefId(), QvDb::kForRead); def)
      file = "\"" + def->sourceFileName().utf8() + "\"";
    out += std::string(out.size() > 1 ? "," : "") + "{\"type\":\"" +
           (QvDbWipeout::cast(image.object()) ? "WIPEOUT" : "IMAGE") +
           "\",\"insert\":" + json::point(origin) + ",\"u\":" + json::point(u / size.x) +
           ",\"v\":" + json::point(v / size.y) + ",\"size\":[" + real(size.x) + "," + real(size.y) +
           ",0]" + ",\"clipped\":" + (image->isClipped() ? "true" : "false") + ",\"boundary\":[" +
           boundary + "],\"file\":" + file + "}";
  }
  return out + "]\n";
}

::testing::AssertionResult ezdxfAgrees(QvDbDatabase& db, const std::string& file,
                                       const TempFolder& folder) {
  return ezdxfProbeAgrees(kProbe, file, folder.path("expected images.json"), describeImages(db));
}

bool sameExactly(const QvGePoint3d& a, const QvGePoint3d& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

struct ImageState {
  QvGePoint3d origin;
  QvGeVector3d u;
  QvGeVector3d v;
  QvGeVector2d size;
  QvDbRasterImage::ClipBoundaryType clip = QvDbRasterImage::kInvalid;
  QvGePoint2dArray boundary;
  std::string def;  // handle of the definition
};

ImageState stateOf(QvDbObjectId id) {
  QvDbObjectPointer<QvDbRasterImage> image(id, QvDb::kForRead);
  ImageState s;
  if (!image) return s;
  image->getOrientation(s.origin, s.u, s.v);
  s.size = image->imageSize();
  s.clip = image->clipBoundaryType();
  s.boundary = image->clipBoundary();
  s.def = image->imageDefId().isNull() ? "" : image->imageDefId().handle().ascii().utf8();
  return s;
}

// Exactly the same values: what was set is what is read.
::testing::AssertionResult sameImage(const ImageState& a, const ImageState& b) {
  if (!sameExactly(a.origin, b.origin) ||
      !sameExactly(QvGePoint3d::kOrigin + a.u, QvGePoint3d::kOrigin + b.u) ||
      !sameExactly(QvGePoint3d::kOrigin + a.v, QvGePoint3d::kOrigin + b.v))
    return ::testing::AssertionFailure() << "the frame differs";
  if (a.size.x != b.size.x || a.size.y != b.size.y)
    return ::testing::AssertionFailure() << "the size differs";
  if (a.clip != b.clip || a.boundary.length() != b.boundary.length())
    return ::testing::AssertionFailure() << "the clip boundary differs";
  // Files count clip pixels from the centre of the upper left pixel: a pixel comes back to
  // within the rounding of that shift (and of the image height).
  const double tolerance = 4 * std::numeric_limits<double>::epsilon() * (1.0 + a.size.y);
  for (int i = 0; i < a.boundary.length(); ++i)
    if (std::fabs(a.boundary[i].x - b.boundary[i].x) > tolerance ||
        std::fabs(a.boundary[i].y - b.boundary[i].y) > tolerance)
      return ::testing::AssertionFailure()
             << "clip vertex " << i << " differs: " << a.boundary[i].x << ", " << a.boundary[i].y
             << " vs " << b.boundary[i].x << ", " << b.boundary[i].y;
  if (a.def != b.def) return ::testing::AssertionFailure() << "the definition differs";
  return ::testing::AssertionSuccess();
}

}  // namespace

class DxfImageTest : public HostFixture {
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

    auto* plain = new QvDbRasterImage();
    plain->setImageDefId(defId_);
    plain->setImageSize(640, 480);
    plain->setOrientation(QvGePoint3d(10, 20, 0), QvGeVector3d(64, 0, 0), QvGeVector3d(0, 48, 0));
    images_.append(appendEntity(space, plain));

    auto* rect = new QvDbRasterImage();
    rect->setImageDefId(defId_);
    rect->setImageSize(640, 480);
    rect->setOrientation(QvGePoint3d(-3.3, 1.7, 0.9), QvGeVector3d(3, 4, 0.1),
                         QvGeVector3d(-1.2, 0.9, 0.7));
    ASSERT_EQ(Vexa::eOk,
              rect->setClipBoundary(QvDbRasterImage::kRect,
                                    points2d({QvGePoint2d(10.1, 20.3), QvGePoint2d(500.7, 400)})));
    images_.append(appendEntity(space, rect));

    auto* polygon = new QvDbRasterImage();
    polygon->setImageDefId(defId_);
    polygon->setImageSize(640, 480);
    polygon->setOrientation(QvGePoint3d(1, 1, 0), QvGeVector3d(6.4, 0, 0), QvGeVector3d(0, 4.8, 0));
    ASSERT_EQ(Vexa::eOk,
              polygon->setClipBoundary(QvDbRasterImage::kPoly,
                                       points2d({QvGePoint2d(0.1, 0.2), QvGePoint2d(600, 33.3),
                                                 QvGePoint2d(320.5, 470), QvGePoint2d(0.1, 0.2)})));
    images_.append(appendEntity(space, polygon));

    auto* wipeout = new QvDbWipeout();
    ASSERT_EQ(Vexa::eOk, wipeout->setFrom(points2d({QvGePoint2d(0, 0), QvGePoint2d(4, 0.3),
                                                    QvGePoint2d(5, 3), QvGePoint2d(1, 2)}),
                                          QvGeVector3d(0.3, -0.5, 0.8).normal()));
    images_.append(appendEntity(space, wipeout));
  }

  QvDbObjectId defId_;
  QvDbObjectIdArray images_;
  TempFolder folder_;
};

TEST_F(DxfImageTest, ImagesWipeoutsAndDefinitionsComeBackAndAreWrittenAgainAlike) {
  addImages();
  auto* orphan = new QvDbRasterImage();  // no definition: kept so, read back without one
  orphan->setOrientation(QvGePoint3d(0, 0, 0), QvGeVector3d(2, 0, 0), QvGeVector3d(0, 1, 0));
  images_.append(appendEntity(db()->modelSpaceId(), orphan));

  const std::string text = dxfText(*db());
  QvString message;
  auto read = readDxf(text, nullptr, &message);
  ASSERT_TRUE(read) << message;
  for (const QvDbObjectId& id : images_) {
    const QvDbObjectId again = idOfHandle(*read, id.handle().ascii().utf8());
    ASSERT_FALSE(again.isNull());
    EXPECT_TRUE(sameImage(stateOf(id), stateOf(again))) << id.handle().ascii().utf8();
    QvDbObjectPointer<QvDbEntity> entity(again, QvDb::kForRead);
    EXPECT_EQ(QvDbWipeout::cast(entity.object()) != nullptr, id == images_[3]);
  }
  {
    QvDbObjectPointer<QvDbRasterImageDef> def(idOfHandle(*read, defId_.handle().ascii().utf8()),
                                              QvDb::kForRead);
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

TEST_F(DxfImageTest, EzdxfAuditsImagesWrittenHereAndSeesTheSamePlacementAndBoundaries) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  addImages();
  const std::string file = folder_.path("images.dxf");
  ASSERT_EQ(Vexa::eOk, db()->saveAs(QvString(file.c_str()))) << db()->fileMessage();
  EXPECT_TRUE(ezdxfAgrees(*db(), file, folder_));
}

TEST_F(DxfImageTest, ImagesAndWipeoutsWrittenByEzdxfAreReadWithTheirValuesAndKeptGroups) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  const std::string made = folder_.path("ezdxf images.dxf");
  const PythonRun run = runPython({kProbe, "make", made});
  ASSERT_EQ(0, run.status) << run.output;
  QvDbDatabase read(false);
  ASSERT_EQ(Vexa::eOk, read.readDwgFile(QvString(made.c_str()))) << read.fileMessage();
  EXPECT_TRUE(ezdxfAgrees(read, made, folder_));

  // What the making script asked for, independently of ezdxf's view.
  const QvDbObjectIdArray ids = entitiesOf(read.modelSpaceId());
  ASSERT_EQ(4, ids.length());
  {
    QvDbObjectPointer<QvDbRasterImage> image(ids[0], QvDb::kForRead);
    ASSERT_TRUE(image);
    QvDbObjectPointer<QvDbRasterImageDef> def(image->imageDefId(), QvDb::kForRead);
    ASSERT_TRUE(def);
    EXPECT_EQ(def->sourceFileName(), QvString(L"site/aerial photo.png"));
    EXPECT_EQ(def->size().x, 640);
    QvGePoint3d origin;
    QvGeVector3d u;
    QvGeVector3d v;
    image->getOrientation(origin, u, v);
    EXPECT_TRUE(origin.isEqualTo(QvGePoint3d(10, 20, 0)));
    EXPECT_TRUE(u.isEqualTo(QvGeVector3d(6.4, 0, 0)));
    EXPECT_TRUE(v.isEqualTo(QvGeVector3d(0, 4.8, 0)));
    EXPECT_FALSE(image->isClipped());
  }
  {
    QvDbObjectPointer<QvDbWipeout> wipeout(ids[2], QvDb::kForRead);
    ASSERT_TRUE(wipeout);
    QvGePoint3dArray vertices;
    ASSERT_EQ(Vexa::eOk, wipeout->getVertices(vertices));
    const QvGePoint3d expected[] = {QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0),
                                    QvGePoint3d(5, 3, 0), QvGePoint3d(1, 2, 0)};
    ASSERT_EQ(4, vertices.length());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(vertices[i].isEqualTo(expected[i])) << i;
  }

  // Written back: ezdxf still agrees, and the groups not modelled are those of the file.
  const std::string written = folder_.path("written back.dxf");
  ASSERT_EQ(Vexa::eOk, read.saveAs(QvString(written.c_str()))) << read.fileMessage();
  EXPECT_TRUE(ezdxfAgrees(read, written, folder_));
  const DxfGroups before = groupsOf(readFile(made));
  const DxfGroups after = groupsOf(readFile(written));
  for (const QvDbObjectId& id : ids) {
    const std::string handle = id.handle().ascii().utf8();
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
    QvDbObjectIdArray ids;
    ids.append(a);
    ids.append(b);
    ASSERT_EQ(Vexa::eOk, field->setObjectIds(ids));
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
  QvString message;
  auto read = readDxf(text, nullptr, &message);
  ASSERT_TRUE(read) << message;
  auto handles = [](const QvDbObjectIdArray& ids) {
    std::vector<std::string> out;
    for (const QvDbObjectId& id : ids) out.push_back(id.handle().ascii().utf8());
    return out;
  };
  {
    QvDbObjectPointer<QvDbField> field(idOfHandle(*read, evaluatedId.handle().ascii().utf8()),
                                       QvDb::kForRead);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->getFieldCode(), QvString(code));
    EXPECT_TRUE(field->isEvaluated());
    EXPECT_EQ(field->getValue(), QvString(L"1.0000 m\u00B2"));
    EXPECT_EQ(handles(field->objectIds()),
              (std::vector<std::string>{a.handle().ascii().utf8(), b.handle().ascii().utf8()}));
    QvDbObjectPointer<QvDbField> pending(idOfHandle(*read, pendingId.handle().ascii().utf8()),
                                         QvDb::kForRead);
    ASSERT_TRUE(pending);
    EXPECT_FALSE(pending->isEvaluated());
    EXPECT_EQ(pending->getValue(), QvString(L"%<\\AcVar Filename>%"));
  }
  {
    QvDbObjectPointer<QvDbEvalGraph> graph(idOfHandle(*read, graphId.handle().ascii().utf8()),
                                           QvDb::kForRead);
    ASSERT_TRUE(graph);
    EXPECT_EQ(handles(graph->nodes()),
              (std::vector<std::string>{b.handle().ascii().utf8(), a.handle().ascii().utf8()}));
    QvDbObjectPointer<QvDbTagEvalGraph> tags(idOfHandle(*read, tagGraphId.handle().ascii().utf8()),
                                             QvDb::kForRead);
    ASSERT_TRUE(tags);
    ASSERT_EQ(2, tags->tags().length());
    EXPECT_EQ(tags->tags()[1], QvString(L"Fl\u00FCgel"));
  }
  EXPECT_TRUE(text == dxfText(*read));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}
