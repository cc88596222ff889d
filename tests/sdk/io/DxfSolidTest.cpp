// 3D solids and surfaces in drawing files: bodies made here are written with modeler data the
// modeler reads back (same areas and edges) and open in ezdxf without audit errors; modeler
// data of other modelers is kept as read, written back unchanged, and its entities answer that
// their geometry cannot be computed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/modeler/QvDb3dSolid.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/QvDbSurface.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

const std::string kProbe = dxfDataPath("ezdxf_solid_probe.py");

// The groups of a record that carry modeler data (1, 3, 310), in order.
DxfGroups dataGroups(const DxfGroups& record) {
  DxfGroups out;
  for (const auto& g : record)
    if (g.first == 1 || g.first == 3 || g.first == 310) out.push_back(g);
  return out;
}

struct Body {
  std::wstring className;
  double area = 0.0;
  int edges = 0;
  QvString layer;
  std::string handle;
};

// What the model space's solids and surfaces hold, in order.
std::vector<Body> bodiesOf(QvDbDatabase& db) {
  std::vector<Body> out;
  for (QvDbObjectId id : entitiesOf(db.modelSpaceId())) {
    QvDbObjectPointer<QvDbEntity> e(id, QvDb::kForRead);
    const auto* shape = dynamic_cast<const QvDbShapeEntity*>(e.object());
    if (!shape) continue;
    Body body{e->isA()->name(), -1.0, shape->numEdges(), e->layer(), id.handle().ascii().utf8()};
    shape->getArea(body.area);
    out.push_back(body);
  }
  return out;
}

class DxfSolidTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    VexaSpaModelerMgr::getSpaModelerMgr()->setModelerAvailable(true);
  }
  void TearDown() override {
    VexaSpaModelerMgr::getSpaModelerMgr()->setModelerAvailable(false);
    HostFixture::TearDown();
  }

  ::testing::AssertionResult ezdxfAgrees(QvDbDatabase& db, const std::string& file) {
    std::string expected;
    for (const Body& b : bodiesOf(db)) {
      const std::string type = b.className == L"QvDb3dSolid"        ? "3DSOLID"
                               : b.className == L"QvDbPlaneSurface" ? "PLANESURFACE"
                               : b.className == L"QvDbSweptSurface" ? "SWEPTSURFACE"
                                                                    : "SURFACE";
      expected += std::string(expected.empty() ? "" : ",") + "{\"handle\":\"" + b.handle +
                  "\",\"type\":\"" + type + "\",\"layer\":\"" + b.layer.utf8() + "\"}";
    }
    return ezdxfProbeAgrees(kProbe, file, folder_.path("expected.json"), "[" + expected + "]");
  }

  TempFolder folder_;
};

TEST_F(DxfSolidTest, BodiesMadeHereComeBackAlikeAndOpenCleanInEzdxf) {
  addLayer(db(), L"BODIES");
  auto* box = new QvDb3dSolid();
  ASSERT_EQ(Vexa::eOk, box->createBox(3, 4, 5));
  box->setLayer(L"BODIES");
  appendToModelSpace(db(), box);

  QvDbPolyline outline;
  for (auto [x, y] : {std::pair{0.0, 0.0}, {6.0, 0.0}, {6.0, 2.0}, {0.0, 2.0}})
    outline.addVertexAt(outline.numVerts(), QvGePoint2d(x, y));
  outline.setClosed(true);
  QvArray<QvDbCurve*> curves;
  curves.append(&outline);
  QvDbRegion* made = nullptr;
  ASSERT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves(curves, made, false, true, 1e-6));
  std::unique_ptr<QvDbRegion> region(made);
  auto* plane = new QvDbPlaneSurface();
  ASSERT_EQ(Vexa::eOk, plane->createFromRegion(region.get()));
  appendToModelSpace(db(), plane);
  auto* prism = new QvDb3dSolid();
  ASSERT_EQ(Vexa::eOk, prism->extrude(region.get(), 1.5));
  appendToModelSpace(db(), prism);

  QvDbLine profile(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0));
  QvDbLine path(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 7));
  auto* swept = new QvDbSweptSurface();
  ASSERT_EQ(Vexa::eOk, swept->createSweptSurface(&profile, &path));
  appendToModelSpace(db(), swept);

  const std::vector<Body> before = bodiesOf(*db());
  ASSERT_EQ(4u, before.size());
  EXPECT_NEAR(2 * (12 + 20 + 15), before[0].area, 1e-9);
  EXPECT_NEAR(12.0, before[1].area, 1e-9);
  EXPECT_NEAR(2 * 12 + 16 * 1.5, before[2].area, 1e-9);
  EXPECT_NEAR(14.0, before[3].area, 1e-9);

  const std::string text = dxfText(*db());
  const std::string file = folder_.path("bodies.dxf");
  writeFile(file, text);
  if (hasEzdxf()) {
    EXPECT_TRUE(ezdxfAgrees(*db(), file));
  }

  // Read back, every body is the same; written again, the file is the same.
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  const std::vector<Body> after = bodiesOf(*read);
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(before[i].className, after[i].className);
    EXPECT_NEAR(before[i].area, after[i].area, 1e-9);
    EXPECT_EQ(before[i].edges, after[i].edges);
    EXPECT_EQ(before[i].layer, after[i].layer);
  }
  EXPECT_EQ(text, dxfText(*read));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}

TEST_F(DxfSolidTest, ModelerDataOfOtherModelersIsKeptAndWrittenBackUnchanged) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  const std::string made = folder_.path("other modeler.dxf");
  ASSERT_EQ(0, runPython({kProbe, "make", made}).status);
  const std::string original = readFile(made);
  auto read = readDxf(original);
  ASSERT_TRUE(read);

  const std::vector<Body> bodies = bodiesOf(*read);
  ASSERT_EQ(3u, bodies.size());
  EXPECT_EQ(L"QvDb3dSolid", bodies[0].className);
  EXPECT_EQ(L"QvDbSurface", bodies[1].className);
  EXPECT_EQ(L"QvDbSweptSurface", bodies[2].className);
  const DxfGroups in = groupsOf(original);
  for (const Body& b : bodies) {
    QvDbObjectPointer<QvDbEntity> e(idOfHandle(*read, b.handle), QvDb::kForWrite);
    const auto* shape = dynamic_cast<const QvDbShapeEntity*>(e.object());
    ASSERT_TRUE(shape);
    EXPECT_FALSE(shape->hasBody());
    double area = -1.0;
    EXPECT_EQ(Vexa::eNotApplicable, shape->getArea(area));
    EXPECT_EQ(Vexa::eNotApplicable,
              e->transformBy(QvGeMatrix3d::translation(QvGeVector3d(1, 2, 3))));
    // The data is the file's, group for group.
    const DxfGroups record = dataGroups(recordOf(in, b.handle));
    ASSERT_FALSE(record.empty());
    ASSERT_EQ(record.size(), shape->modelerData().size());
    for (size_t i = 0; i < record.size(); ++i) {
      EXPECT_EQ(record[i].first, shape->modelerData()[i].code);
      EXPECT_EQ(record[i].second, shape->modelerData()[i].value);
    }
  }

  // Written back: the same data, and the groups the entities do not model (isoline counts,
  // the sweep's transforms, the history handle) as they were.
  const std::string written = dxfText(*read);
  const DxfGroups out = groupsOf(written);
  for (const Body& b : bodies) {
    const DxfGroups was = recordOf(in, b.handle), now = recordOf(out, b.handle);
    EXPECT_EQ(dataGroups(was), dataGroups(now)) << b.handle;
    EXPECT_EQ(valuesOf(was, 40), valuesOf(now, 40)) << b.handle;
    EXPECT_EQ(valuesOf(was, 71), valuesOf(now, 71)) << b.handle;
    EXPECT_EQ(valuesOf(was, 350), valuesOf(now, 350)) << b.handle;
  }
  const std::string file = folder_.path("written back.dxf");
  writeFile(file, written);
  EXPECT_TRUE(ezdxfAgrees(*read, file));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}

}  // namespace
