// Regions, 3D solids and surfaces through DXF files: the modeler's data reads back alike, and
// data of other modelers is kept and written back unchanged.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/modeler/QvDb3dSolid.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/QvDbSurface.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PolylineShapes.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The groups of a record that carry modeler data (1, 3, 310), in order.
DxfGroups dataGroups(const DxfGroups& record) {
  DxfGroups out;
  for (const auto& g : record)
    if (g.first == 1 || g.first == 3 || g.first == 310) out.push_back(g);
  return out;
}

struct Body {
  std::wstring className;
  double area = -1.0;
  double perimeter = -1.0;  // regions only
  int faces = 0;
  int edges = 0;  // solids and surfaces only
  QvString layer;
  std::string handle;
};

// What the model space's regions, solids and surfaces hold, in order.
std::vector<Body> bodiesOf(QvDbDatabase& db) {
  std::vector<Body> out;
  for (QvDbObjectId id : entitiesOf(db.modelSpaceId())) {
    QvDbObjectPointer<QvDbEntity> e(id, QvDb::kForRead);
    Body body;
    body.className = e->isA()->name();
    body.layer = e->layer();
    body.handle = handleOf(id);
    if (const auto* shape = dynamic_cast<const QvDbShapeEntity*>(e.object())) {
      body.faces = shape->numFaces();
      body.edges = shape->numEdges();
      shape->getArea(body.area);
    } else if (const auto* region = QvDbRegion::cast(e.object())) {
      body.faces = region->numFaces();
      region->getArea(body.area);
      region->getPerimeter(body.perimeter);
    } else {
      continue;
    }
    out.push_back(body);
  }
  return out;
}

// The bodies in the form ezdxf_solid_probe.py compares (handle, type, layer), with what they
// measure here.
std::string describeBodies(QvDbDatabase& db) {
  std::string out;
  for (const Body& b : bodiesOf(db)) {
    const std::string type = b.className == L"QvDb3dSolid"        ? "3DSOLID"
                             : b.className == L"QvDbRegion"       ? "REGION"
                             : b.className == L"QvDbPlaneSurface" ? "PLANESURFACE"
                             : b.className == L"QvDbSweptSurface" ? "SWEPTSURFACE"
                                                                  : "SURFACE";
    out += std::string(out.empty() ? "" : ",") + "{\"handle\":\"" + b.handle + "\",\"type\":\"" +
           type + "\",\"layer\":\"" + b.layer.utf8() + "\",\"area\":" + json::real(b.area) +
           ",\"perimeter\":" + json::real(b.perimeter) + ",\"faces\":" + std::to_string(b.faces) +
           ",\"edges\":" + std::to_string(b.edges) + "}";
  }
  return "[" + out + "]";
}

const EzdxfProbe kProbe{dxfDataPath("ezdxf_solid_probe.py"), describeBodies, true};

// The area the entity's geometry answers, with its status.
Vexa::ErrorStatus areaOf(const QvDbEntity& entity, double& area) {
  if (const auto* region = QvDbRegion::cast(&entity)) return region->getArea(area);
  const auto* shape = dynamic_cast<const QvDbShapeEntity*>(&entity);
  return shape ? shape->getArea(area) : Vexa::eWrongObjectType;
}

// A closed rectangle of lines' corners as a polyline.
std::unique_ptr<QvDbPolyline> rectangle(double x0, double y0, double x1, double y1) {
  return lightweightPolyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, {}, true);
}

std::unique_ptr<QvDbRegion> regionOf(QvDbCurve& curve) {
  QvArray<QvDbCurve*> curves;
  curves.append(&curve);
  QvDbRegion* made = nullptr;
  EXPECT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves(curves, made, false, true, 1e-6));
  return std::unique_ptr<QvDbRegion>(made);
}

class DxfSolidTest : public DxfFolderTest {
 protected:
  void SetUp() override {
    DxfFolderTest::SetUp();
    VexaSpaModelerMgr::getSpaModelerMgr()->setModelerAvailable(true);
  }
  void TearDown() override {
    VexaSpaModelerMgr::getSpaModelerMgr()->setModelerAvailable(false);
    DxfFolderTest::TearDown();
  }
};

TEST_F(DxfSolidTest, BodiesMadeHereComeBackAlikeAndOpenCleanInEzdxf) {
  addLayer(db(), L"BODIES");
  auto* box = new QvDb3dSolid();
  ASSERT_EQ(Vexa::eOk, box->createBox(3, 4, 5));
  box->setLayer(L"BODIES");
  appendToModelSpace(db(), box);

  const std::unique_ptr<QvDbRegion> region = regionOf(*rectangle(0, 0, 6, 2));
  ASSERT_TRUE(region);
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

  // A region of two faces, one with a hole, on a slope: a 4 by 4 square less a 2 by 2 one,
  // beside a circle of radius 1.
  std::unique_ptr<QvDbRegion> plate = regionOf(*rectangle(10, 0, 14, 4));
  std::unique_ptr<QvDbRegion> hole = regionOf(*rectangle(11, 1, 13, 3));
  QvDbCircle round(QvGePoint3d(17, 2, 0), QvGeVector3d::kZAxis, 1.0);
  std::unique_ptr<QvDbRegion> disc = regionOf(round);
  ASSERT_TRUE(plate && hole && disc);
  ASSERT_EQ(Vexa::eOk, plate->booleanOper(QvDbRegion::kBoolSubtract, hole.get()));
  ASSERT_EQ(Vexa::eOk, plate->booleanOper(QvDbRegion::kBoolUnite, disc.get()));
  ASSERT_EQ(Vexa::eOk, plate->transformBy(QvGeMatrix3d::rotation(0.5, QvGeVector3d(1, 1, 0),
                                                                 QvGePoint3d(3, 4, 5))));
  plate->setLayer(L"BODIES");
  appendToModelSpace(db(), plate.release());

  const std::vector<Body> before = bodiesOf(*db());
  ASSERT_EQ(5u, before.size());
  EXPECT_NEAR(2 * (12 + 20 + 15), before[0].area, 1e-9);
  EXPECT_NEAR(12.0, before[1].area, 1e-9);
  EXPECT_NEAR(2 * 12 + 16 * 1.5, before[2].area, 1e-9);
  EXPECT_NEAR(14.0, before[3].area, 1e-9);
  EXPECT_EQ(2, before[4].faces);
  EXPECT_NEAR(16 - 4 + kPi, before[4].area, 1e-6);
  EXPECT_NEAR(16 + 8 + 2 * kPi, before[4].perimeter, 1e-6);

  kProbe.roundTrip(*db(), folder_);
}

TEST_F(DxfSolidTest, ModelerDataOfOtherModelersIsKeptAndWrittenBackUnchanged) {
  if (!hasEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not installed";
  const EzdxfMade theirs = kProbe.readMade(folder_);
  ASSERT_TRUE(theirs.db);
  QvDbDatabase* read = theirs.db.get();

  const std::vector<Body> bodies = bodiesOf(*read);
  ASSERT_EQ(4u, bodies.size());
  EXPECT_EQ(L"QvDb3dSolid", bodies[0].className);
  EXPECT_EQ(L"QvDbSurface", bodies[1].className);
  EXPECT_EQ(L"QvDbSweptSurface", bodies[2].className);
  EXPECT_EQ(L"QvDbRegion", bodies[3].className);
  const DxfGroups in = groupsOf(theirs.made);
  for (const Body& b : bodies) {
    QvDbObjectPointer<QvDbEntity> e(idOfHandle(*read, b.handle), QvDb::kForWrite);
    const auto* shape = dynamic_cast<const QvDbModelerEntity*>(e.object());
    ASSERT_TRUE(shape);
    EXPECT_FALSE(shape->hasBody());
    double area = -1.0;
    EXPECT_EQ(Vexa::eNotApplicable, areaOf(*e, area));
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
  const DxfGroups out = groupsOf(dxfText(*read));
  for (const Body& b : bodies) {
    const DxfGroups was = recordOf(in, b.handle), now = recordOf(out, b.handle);
    EXPECT_EQ(dataGroups(was), dataGroups(now)) << b.handle;
    EXPECT_EQ(valuesOf(was, 40), valuesOf(now, 40)) << b.handle;
    EXPECT_EQ(valuesOf(was, 71), valuesOf(now, 71)) << b.handle;
    EXPECT_EQ(valuesOf(was, 350), valuesOf(now, 350)) << b.handle;
  }
  EXPECT_TRUE(nothingLeftOpen(read));
}

TEST_F(DxfSolidTest, ARegionOfOtherDataIsNotNullAndCombinesWithNothing) {
  std::string text = readTextFile(dxfDataPath("sound_r2018.dxf"));
  const std::string anchor = "  2\nENTITIES\n";
  const size_t at = text.find(anchor);
  ASSERT_NE(std::string::npos, at);
  text.insert(
      at + anchor.size(),
      "  0\nREGION\n  5\nABC7\n330\n17\n100\nAcDbEntity\n  8\n0\n100\n"
      "AcDbModelerGeometry\n 70\n1\n  1\n21200 137 0 1 0 0 0 0 0 0 4 0 0 0 0 0 0 0 0\n"
      "  3\nbody $-1 -1 $-1 $1 $-1 $2 #\n290\n0\n  2\n{00000000-0000-0000-0000-000000000000}\n");
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  const QvDbObjectId id = idOfHandle(*read, "ABC7");
  {
    QvDbObjectPointer<QvDbRegion> foreign(id, QvDb::kForWrite);
    ASSERT_TRUE(foreign);
    EXPECT_FALSE(foreign->isNull());
    EXPECT_EQ(0, foreign->numFaces());
    QvGeVector3d normal;
    EXPECT_EQ(Vexa::eNotApplicable, foreign->getNormal(normal));
    double perimeter = -1.0;
    EXPECT_EQ(Vexa::eNotApplicable, foreign->getPerimeter(perimeter));

    // A boolean with it changes neither side, whichever side it is on.
    QvDbCircle round(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 1.0);
    std::unique_ptr<QvDbRegion> disc = regionOf(round);
    ASSERT_TRUE(disc);
    EXPECT_EQ(Vexa::eNotApplicable, disc->booleanOper(QvDbRegion::kBoolUnite, foreign.object()));
    EXPECT_EQ(Vexa::eNotApplicable, foreign->booleanOper(QvDbRegion::kBoolSubtract, disc.get()));
    EXPECT_EQ(1, disc->numFaces());
  }
  EXPECT_EQ(recordOf(groupsOf(text), "ABC7"), recordOf(groupsOf(dxfText(*read)), "ABC7"));
}

TEST_F(DxfSolidTest, ARegionKeepsDataWhoseFacesAreNotOnePlaneOrNotWhole) {
  QvDb3dSolid box;
  ASSERT_EQ(Vexa::eOk, box.createBox(1, 2, 3));
  QvDbModelerData damaged = regionOf(*rectangle(0, 0, 5, 5))->modelerData();
  ASSERT_GT(damaged.size(), 4u);
  damaged[damaged.size() / 2].value += " 1";
  for (const QvDbModelerData& data : {box.modelerData(), damaged}) {
    auto* region = new QvDbRegion();
    ASSERT_EQ(Vexa::eOk, region->setModelerData(data));
    EXPECT_FALSE(region->hasBody());
    EXPECT_FALSE(region->isNull());
    EXPECT_EQ(0, region->numFaces());
    const QvDbObjectId id = appendToModelSpace(db(), region);

    auto read = readDxf(dxfText(*db()));
    ASSERT_TRUE(read);
    QvDbObjectPointer<QvDbRegion> back(sameHandleIn(*read, id), QvDb::kForRead);
    ASSERT_TRUE(back);
    EXPECT_EQ(data, back->modelerData());
    EXPECT_EQ(0, back->numFaces());
  }
}

TEST_F(DxfSolidTest, ARegionChangedAfterReadingIsWrittenWithItsNewShape) {
  std::unique_ptr<QvDbRegion> square = regionOf(*rectangle(0, 0, 4, 4));
  ASSERT_TRUE(square);
  const QvDbObjectId id = appendToModelSpace(db(), square.release());
  auto read = readDxf(dxfText(*db()));
  ASSERT_TRUE(read);
  const std::string handle = handleOf(id);
  {
    QvDbObjectPointer<QvDbRegion> back(idOfHandle(*read, handle), QvDb::kForWrite);
    ASSERT_TRUE(back);
    QvDbCircle round(QvGePoint3d(2, 2, 0), QvGeVector3d::kZAxis, 1.0);
    std::unique_ptr<QvDbRegion> disc = regionOf(round);
    ASSERT_EQ(Vexa::eOk, back->booleanOper(QvDbRegion::kBoolSubtract, disc.get()));
    ASSERT_EQ(Vexa::eOk, back->transformBy(QvGeMatrix3d::translation(QvGeVector3d(0, 0, 7))));
    // The region consumed is empty, and so is its data.
    EXPECT_TRUE(disc->isNull());
    EXPECT_TRUE(disc->modelerData().empty());
  }
  auto again = readDxf(dxfText(*read));
  ASSERT_TRUE(again);
  QvDbObjectPointer<QvDbRegion> changed(idOfHandle(*again, handle), QvDb::kForRead);
  ASSERT_TRUE(changed);
  double area = -1.0;
  ASSERT_EQ(Vexa::eOk, changed->getArea(area));
  EXPECT_NEAR(16 - kPi, area, 1e-6);
  QvDbExtents extents;
  ASSERT_EQ(Vexa::eOk, changed->getGeomExtents(extents));
  EXPECT_NEAR(7.0, extents.minPoint().z, 1e-9);
}

}  // namespace
