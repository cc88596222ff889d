// 3D solids and surfaces on the modeler: made as boxes, extrusions, planar and swept surfaces,
// measured against the areas and volumes worked out by hand, moved, kept as modeler data, and
// taken apart into edge and face sub-entities by selection marker or pick.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <set>
#include <vector>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/modeler/QvDb3dSolid.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/QvDbSurface.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "sdk/rx/QvRxDynamicLinker.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

constexpr double kPi = std::numbers::pi;

template <class Entity>
double areaOf(const Entity& e) {
  double area = -1.0;
  EXPECT_EQ(Vexa::eOk, e.getArea(area));
  return area;
}

std::unique_ptr<QvDbRegion> regionOf(std::initializer_list<QvDbCurve*> curves) {
  QvArray<QvDbCurve*> list;
  for (QvDbCurve* c : curves) list.append(c);
  QvDbRegion* made = nullptr;
  EXPECT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves(list, made, false, true, 1e-6));
  return std::unique_ptr<QvDbRegion>(made);
}

// The right triangle (0, 0), (4, 0), (4, 3): an area of 6.
std::unique_ptr<QvDbRegion> triangle() {
  QvDbLine a(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0));
  QvDbLine b(QvGePoint3d(4, 0, 0), QvGePoint3d(4, 3, 0));
  QvDbLine c(QvGePoint3d(4, 3, 0), QvGePoint3d(0, 0, 0));
  return regionOf({&a, &b, &c});
}

std::unique_ptr<QvDb3dSolid> box(double x, double y, double z) {
  auto solid = std::make_unique<QvDb3dSolid>();
  EXPECT_EQ(Vexa::eOk, solid->createBox(x, y, z));
  return solid;
}

// The length of a curve entity from its end points (for the straight edges of a box).
double chord(const QvDbEntity* e) {
  const auto* curve = QvDbCurve::cast(e);
  QvGePoint3d a, b;
  if (!curve || curve->getStartPoint(a) != Vexa::eOk || curve->getEndPoint(b) != Vexa::eOk)
    return -1.0;
  return a.distanceTo(b);
}

// The sub-entity paths a marker (or, for marker 0, a pick from above) names; empty unless the
// call answers `expected`.
QvArray<QvDbFullSubentPath> pathsAt(const QvDbShapeEntity& e, QvDb::SubentType type, int64_t marker,
                                    const QvGePoint3d& pick = {},
                                    Vexa::ErrorStatus expected = Vexa::eOk) {
  QvArray<QvDbFullSubentPath> paths;
  EXPECT_EQ(expected, e.getSubentPathsAtGsMarker(type, marker, pick, QvGeMatrix3d(), paths));
  if (expected != Vexa::eOk) {
    EXPECT_TRUE(paths.isEmpty());
  }
  return paths;
}

}  // namespace

class SolidTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    ASSERT_TRUE(qvrxDynamicLinker()->loadModule(L"Xq3dCmds.qrx", false));
  }
};

TEST_F(SolidTest, BoxesAndExtrusionsMeasureAsWorkedOutByHand) {
  auto b = box(2, 3, 4);
  EXPECT_NEAR(2 * (6 + 12 + 8), areaOf(*b), 1e-9);
  double volume = 0.0;
  ASSERT_EQ(Vexa::eOk, b->getVolume(volume));
  EXPECT_NEAR(24.0, volume, 1e-9);
  EXPECT_EQ(6, b->numFaces());
  EXPECT_EQ(12, b->numEdges());
  QvDbExtents extents;
  ASSERT_EQ(Vexa::eOk, b->getGeomExtents(extents));
  EXPECT_TRUE(extents.minPoint().isEqualTo(QvGePoint3d(-1, -1.5, -2), QvGeTol(1e-6, 1e-6)));
  EXPECT_TRUE(extents.maxPoint().isEqualTo(QvGePoint3d(1, 1.5, 2), QvGeTol(1e-6, 1e-6)));

  // A disc of radius 1 with a square hole, extruded by 2 (and by -2: the same solid below).
  QvDbCircle disc(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 1.0);
  auto r = regionOf({&disc});
  QvDbPolyline hole;
  for (auto [x, y] : {std::pair{-0.25, -0.25}, {0.25, -0.25}, {0.25, 0.25}, {-0.25, 0.25}})
    hole.addVertexAt(hole.numVerts(), QvGePoint2d(x, y));
  hole.setClosed(true);
  auto h = regionOf({&hole});
  ASSERT_EQ(Vexa::eOk, r->booleanOper(QvDbRegion::kBoolSubtract, h.get()));
  for (double height : {2.0, -2.0}) {
    QvDb3dSolid solid;
    ASSERT_EQ(Vexa::eOk, solid.extrude(r.get(), height));
    const double face = kPi - 0.25;
    EXPECT_NEAR(2 * face + 2 * kPi * 2 + 4 * 0.5 * 2, areaOf(solid), 1e-6);
    ASSERT_EQ(Vexa::eOk, solid.getVolume(volume));
    EXPECT_NEAR(face * 2, volume, 1e-6);
    ASSERT_EQ(Vexa::eOk, solid.getGeomExtents(extents));
    EXPECT_NEAR(height > 0 ? 2.0 : 0.0, extents.maxPoint().z, 1e-6);
  }

  // Refused, and nothing made.
  QvDb3dSolid refused;
  for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_EQ(Vexa::eInvalidInput, refused.createBox(1, bad, 1));
  EXPECT_EQ(Vexa::eInvalidInput, refused.extrude(nullptr, 1));
  EXPECT_EQ(Vexa::eInvalidInput, refused.extrude(r.get(), 0));
  EXPECT_EQ(Vexa::eInvalidInput, refused.extrude(r.get(), std::nan("")));
  EXPECT_EQ(Vexa::eInvalidInput, refused.extrude(h.get(), 1));  // consumed by the subtraction
  EXPECT_FALSE(refused.hasBody());
  double area = 7.0;
  EXPECT_EQ(Vexa::eNotApplicable, refused.getArea(area));
  EXPECT_EQ(7.0, area);

  // Without the modeler nothing is made.
  ASSERT_TRUE(qvrxDynamicLinker()->unloadModule(L"Xq3dCmds.qrx"));
  EXPECT_EQ(Vexa::eNotApplicable, refused.createBox(1, 1, 1));
  EXPECT_EQ(Vexa::eNotApplicable, refused.extrude(r.get(), 1));
  // What exists is still measured.
  EXPECT_NEAR(52.0, areaOf(*b), 1e-9);
}

TEST_F(SolidTest, PlaneAndSweptSurfacesMeasureTheirFaces) {
  const auto flat = triangle();
  QvDbPlaneSurface plane;
  ASSERT_EQ(Vexa::eOk, plane.createFromRegion(flat.get()));
  EXPECT_NEAR(6.0, areaOf(plane), 1e-9);
  EXPECT_EQ(Vexa::eInvalidInput, plane.createFromRegion(nullptr));
  EXPECT_NEAR(6.0, areaOf(plane), 1e-9);

  // A segment of 2 swept 5 along z: a 2 x 5 rectangle; a circle of radius 1.5 swept along a
  // line of 3 across its plane: a cylinder's side; an arc of a quarter turn along 4: the
  // quarter of a side.
  QvDbLine profile(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0));
  QvDbLine up(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 5));
  QvDbSweptSurface wall;
  ASSERT_EQ(Vexa::eOk, wall.createSweptSurface(&profile, &up));
  EXPECT_NEAR(10.0, areaOf(wall), 1e-9);
  QvDbCircle ring(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 1.5);
  QvDbLine three(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 3));
  QvDbSweptSurface tube;
  ASSERT_EQ(Vexa::eOk, tube.createSweptSurface(&ring, &three));
  EXPECT_NEAR(2 * kPi * 1.5 * 3, areaOf(tube), 1e-6);
  QvDbArc quarter(QvGePoint3d(0, 0, 0), 2.0, 0.0, kPi / 2);
  QvDbLine four(QvGePoint3d(2, 0, 0), QvGePoint3d(2, 0, 4));
  QvDbSweptSurface shell;
  ASSERT_EQ(Vexa::eOk, shell.createSweptSurface(&quarter, &four));
  EXPECT_NEAR(kPi * 4, areaOf(shell), 1e-6);

  QvDbSweptSurface refused;
  EXPECT_EQ(Vexa::eInvalidInput, refused.createSweptSurface(nullptr, &up));
  EXPECT_EQ(Vexa::eInvalidInput, refused.createSweptSurface(&profile, flat.get()));
  EXPECT_FALSE(refused.hasBody());
}

TEST_F(SolidTest, BodiesMoveWithSimilaritiesOnlyAndTheirDataFollows) {
  auto b = box(2, 2, 2);
  const QvDbModelerData before = b->modelerData();
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(1, before.front().code);
  const QvGeMatrix3d move = QvGeMatrix3d::translation(QvGeVector3d(10, 0, 0)) *
                            QvGeMatrix3d::rotation(kPi / 3, QvGeVector3d::kZAxis) *
                            QvGeMatrix3d::scaling(2.0);
  ASSERT_EQ(Vexa::eOk, b->transformBy(move));
  EXPECT_NEAR(4 * 24.0, areaOf(*b), 1e-6);
  QvDbExtents extents;
  ASSERT_EQ(Vexa::eOk, b->getGeomExtents(extents));
  EXPECT_NEAR(10.0, (extents.minPoint().x + extents.maxPoint().x) / 2, 1e-6);
  EXPECT_NE(before, b->modelerData());

  // Stretching is refused and changes nothing.
  QvGeMatrix3d stretch;
  stretch.entry[0][0] = 3.0;
  const QvDbModelerData moved = b->modelerData();
  EXPECT_EQ(Vexa::eNotApplicable, b->transformBy(stretch));
  EXPECT_EQ(moved, b->modelerData());

  // The data makes the same body again.
  QvDb3dSolid again;
  ASSERT_EQ(Vexa::eOk, again.setModelerData(moved));
  EXPECT_TRUE(again.hasBody());
  EXPECT_NEAR(96.0, areaOf(again), 1e-6);
  EXPECT_EQ(12, again.numEdges());
  EXPECT_EQ(moved, again.modelerData());
}

TEST_F(SolidTest, DataTheModelerCannotReadIsKeptAndAnswersItsOwnStatus) {
  // Another modeler's text, binary chunks, and this modeler's text cut short.
  const QvDbModelerData foreign = {{1, "21800 0 1 0"}, {1, "@33 Wnxq zbqryre 2.0"}, {3, "tail"}};
  const QvDbModelerData binary = {{310, "414349532042696E617279"}, {310, "0A0B"}};
  QvDbModelerData cut = box(1, 1, 1)->modelerData();
  cut.resize(cut.size() / 2);
  for (const QvDbModelerData& data : {foreign, binary, cut}) {
    QvDbSurface surface;
    ASSERT_EQ(Vexa::eOk, surface.setModelerData(data));
    EXPECT_FALSE(surface.hasBody());
    EXPECT_EQ(data, surface.modelerData());
    double area = 3.0;
    EXPECT_EQ(Vexa::eNotApplicable, surface.getArea(area));
    EXPECT_EQ(Vexa::eNotApplicable,
              surface.transformBy(QvGeMatrix3d::translation(QvGeVector3d(1, 0, 0))));
    QvDbExtents extents;
    EXPECT_EQ(Vexa::eInvalidExtents, surface.getGeomExtents(extents));
    QvGiWorldDrawRecorder drawn;
    drawn.drawTopLevel(&surface);
    EXPECT_TRUE(drawn.primitives().empty());
    pathsAt(surface, QvDb::kEdgeSubentType, 1, {}, Vexa::eNotApplicable);
    EXPECT_EQ(nullptr, surface.subentPtr(QvDbSubentId(QvDb::kEdgeSubentType, 1)));
    EXPECT_EQ(data, surface.modelerData());
  }
}

TEST_F(SolidTest, EdgesAndFacesAreSubEntitiesNamedByTheirMarkers) {
  auto b = box(2, 4, 6);
  QvGiWorldDrawRecorder drawn;
  drawn.drawTopLevel(b.get());
  std::set<int64_t> markers;
  for (const auto& p : drawn.primitives()) {
    EXPECT_EQ(QvGiWorldDrawRecorder::kPolyline, p.kind);
    markers.insert(p.marker);
  }
  ASSERT_EQ(12u, markers.size());
  EXPECT_EQ(1, *markers.begin());
  EXPECT_EQ(12, *markers.rbegin());

  // The edge a marker names is the one drawn with it; its two faces meet there.
  const QvDbObjectId id = appendToModelSpace(db(), b.release());
  QvDbObjectPointer<QvDb3dSolid> solid(id, QvDb::kForRead);
  for (const auto& p : drawn.primitives()) {
    const auto paths = pathsAt(*solid, QvDb::kEdgeSubentType, p.marker);
    ASSERT_EQ(1, paths.length());
    EXPECT_EQ(id, paths[0].objectIds().last());
    std::unique_ptr<QvDbEntity> edge(solid->subentPtr(paths[0].subentId()));
    ASSERT_TRUE(edge);
    EXPECT_NEAR(p.points.first().distanceTo(p.points.last()), chord(edge.get()), 1e-9);

    const auto faces = pathsAt(*solid, QvDb::kFaceSubentType, p.marker);
    ASSERT_EQ(2, faces.length());
    double sum = 0.0;
    for (const QvDbFullSubentPath& f : faces) {
      std::unique_ptr<QvDbEntity> face(solid->subentPtr(f.subentId()));
      ASSERT_TRUE(QvDbPlaneSurface::cast(face.get()));
      sum += areaOf(*QvDbPlaneSurface::cast(face.get()));
    }
    // Every edge of the box is where faces of two of the three sizes meet.
    const double len = chord(edge.get());
    const double expected = len == 2 ? 8 + 12 : len == 4 ? 8 + 24 : 12 + 24;
    EXPECT_NEAR(expected, sum, 1e-9);
  }

  // Marker 0: the edge nearest the pick seen along the view; from above the top one wins.
  const auto picked = pathsAt(*solid, QvDb::kEdgeSubentType, 0, {1.05, 0.5, 0});
  ASSERT_EQ(1, picked.length());
  std::unique_ptr<QvDbEntity> top(solid->subentPtr(picked[0].subentId()));
  QvGePoint3d start;
  ASSERT_EQ(Vexa::eOk, QvDbCurve::cast(top.get())->getStartPoint(start));
  EXPECT_NEAR(1.0, start.x, 1e-9);
  EXPECT_NEAR(3.0, start.z, 1e-9);
  EXPECT_NEAR(4.0, chord(top.get()), 1e-9);

  // Markers that name nothing, kinds a body has not.
  for (int64_t bad : {int64_t(13), int64_t(-1)}) {
    pathsAt(*solid, QvDb::kEdgeSubentType, bad, {}, Vexa::eNotApplicable);
    EXPECT_EQ(nullptr, solid->subentPtr(QvDbSubentId(QvDb::kEdgeSubentType, bad)));
  }
  pathsAt(*solid, QvDb::kVertexSubentType, 1, {}, Vexa::eNotApplicable);
  EXPECT_EQ(nullptr, solid->subentPtr(QvDbSubentId(QvDb::kMlineSubentCache, 1)));
}

TEST_F(SolidTest, AFullPathThroughBlockReferencesGivesTheEdgeInTheWorld) {
  // A 2 x 2 x 2 box in a block, inserted at (10, 0, 0) turned a quarter about z.
  const QvDbObjectId blockId = addBlock(db(), L"CUBE");
  const QvDbObjectId solidId = appendEntity(blockId, box(2, 2, 2).release());
  auto* ref = new QvDbBlockReference(QvGePoint3d(10, 0, 0), blockId);
  ref->setRotation(kPi / 2);
  const QvDbObjectId refId = appendToModelSpace(db(), ref);

  int64_t marker = 0;
  QvGePoint3d localStart, localEnd;
  {
    QvDbObjectPointer<QvDb3dSolid> solid(solidId, QvDb::kForRead);
    const auto paths = pathsAt(*solid, QvDb::kEdgeSubentType, 0, {1, 0, 0});
    ASSERT_EQ(1, paths.length());
    marker = paths[0].subentId().index();
    std::unique_ptr<QvDbEntity> edge(solid->subentPtr(paths[0].subentId()));
    QvDbCurve::cast(edge.get())->getStartPoint(localStart);
    QvDbCurve::cast(edge.get())->getEndPoint(localEnd);
  }
  const QvDbObjectIdArray ids{refId, solidId};
  bool made = false;
  std::unique_ptr<QvDbEntity> edge(
      QvDbPointRef::subentPtr(QvDbFullSubentPath(ids, {QvDb::kEdgeSubentType, marker}), made));
  ASSERT_TRUE(edge);
  EXPECT_TRUE(made);
  QvGePoint3d start;
  ASSERT_EQ(Vexa::eOk, QvDbCurve::cast(edge.get())->getStartPoint(start));
  // (x, y, z) in the block is (10 - y, x, z) in the world.
  EXPECT_TRUE(start.isEqualTo(QvGePoint3d(10 - localStart.y, localStart.x, localStart.z)));

  // A null sub-entity is the entity itself: opened when in the world, a copy through a block.
  QvDbEntity* itself =
      QvDbPointRef::subentPtr(QvDbFullSubentPath(QvDbObjectIdArray{solidId}, {}), made);
  ASSERT_NE(nullptr, itself);
  EXPECT_FALSE(made);
  EXPECT_EQ(solidId, itself->objectId());
  itself->close();
  std::unique_ptr<QvDbEntity> copy(QvDbPointRef::subentPtr(QvDbFullSubentPath(ids, {}), made));
  ASSERT_TRUE(QvDb3dSolid::cast(copy.get()));
  EXPECT_TRUE(made);
  QvDbExtents extents;
  ASSERT_EQ(Vexa::eOk, copy->getGeomExtents(extents));
  EXPECT_NEAR(10.0, (extents.minPoint().x + extents.maxPoint().x) / 2, 1e-6);

  // Empty paths and ids that do not open give nothing.
  EXPECT_EQ(nullptr, QvDbPointRef::subentPtr(QvDbFullSubentPath(), made));
  EXPECT_EQ(nullptr, QvDbPointRef::subentPtr(QvDbFullSubentPath(QvDbObjectIdArray{QvDbObjectId()},
                                                                {QvDb::kEdgeSubentType, 1}),
                                             made));
  EXPECT_TRUE(nothingLeftOpen(db()));
}

namespace {

// Takes the pieces of an explode into owners.
std::vector<std::unique_ptr<QvDbEntity>> exploded(const QvDbEntity& body, Vexa::ErrorStatus& es) {
  QvArray<QvDbEntity*> pieces;
  es = body.explode(pieces);
  std::vector<std::unique_ptr<QvDbEntity>> owned;
  for (QvDbEntity* piece : pieces) owned.emplace_back(piece);
  return owned;
}

}  // namespace

TEST_F(SolidTest, BodiesExplodeIntoRegionsOfPlanarFacesAndSurfacesOfCurvedOnes) {
  // A 2 x 3 x 4 box: six planar faces, regions of 6, 8 and 12 twice each.
  auto b = box(2, 3, 4);
  b->setColorIndex(3);
  Vexa::ErrorStatus es = Vexa::eOk;
  auto pieces = exploded(*b, es);
  ASSERT_EQ(Vexa::eOk, es);
  ASSERT_EQ(6u, pieces.size());
  std::multiset<long> areas;
  for (const auto& piece : pieces) {
    const auto* region = QvDbRegion::cast(piece.get());
    ASSERT_NE(nullptr, region);
    EXPECT_EQ(3, region->colorIndex());
    areas.insert(std::lround(areaOf(*region) * 1e6));
  }
  EXPECT_EQ((std::multiset<long>{6000000, 6000000, 8000000, 8000000, 12000000, 12000000}), areas);

  // A cylinder of radius 1 and height 2: two discs (regions of pi) and its side (a surface of
  // 4 pi).
  QvDbCircle disc(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 1.0);
  auto r = regionOf({&disc});
  QvDb3dSolid cylinder;
  ASSERT_EQ(Vexa::eOk, cylinder.extrude(r.get(), 2.0));
  pieces = exploded(cylinder, es);
  ASSERT_EQ(Vexa::eOk, es);
  ASSERT_EQ(3u, pieces.size());
  int regions = 0;
  for (const auto& piece : pieces) {
    if (const auto* region = QvDbRegion::cast(piece.get())) {
      ++regions;
      EXPECT_NEAR(kPi, areaOf(*region), 1e-6);
    } else {
      const auto* side = QvDbSurface::cast(piece.get());
      ASSERT_NE(nullptr, side);
      EXPECT_EQ(nullptr, QvDbPlaneSurface::cast(piece.get()));
      EXPECT_NEAR(4 * kPi, areaOf(*side), 1e-6);
      // A surface of one curved face does not come apart further.
      EXPECT_TRUE(exploded(*side, es).empty());
      EXPECT_EQ(Vexa::eNotApplicable, es);
    }
  }
  EXPECT_EQ(2, regions);

  // A plane surface becomes the region it fills; the exploded box is unchanged.
  QvDbPlaneSurface plane;
  ASSERT_EQ(Vexa::eOk, plane.createFromRegion(triangle().get()));
  pieces = exploded(plane, es);
  ASSERT_EQ(Vexa::eOk, es);
  ASSERT_EQ(1u, pieces.size());
  ASSERT_TRUE(QvDbRegion::cast(pieces[0].get()));
  EXPECT_NEAR(6.0, areaOf(*QvDbRegion::cast(pieces[0].get())), 1e-9);
  EXPECT_NEAR(52.0, areaOf(*b), 1e-9);
  EXPECT_EQ(6, b->numFaces());

  // Without a body nothing comes out.
  QvDbSurface empty;
  EXPECT_TRUE(exploded(empty, es).empty());
  EXPECT_EQ(Vexa::eNotApplicable, es);
}

TEST_F(SolidTest, UnevenTransformsOfBodiesAreRefusedAlsoThroughReferences) {
  QvGeMatrix3d stretch;
  stretch.entry[1][1] = 2.0;
  auto b = box(2, 2, 2);
  QvDbEntity* copy = nullptr;
  EXPECT_EQ(Vexa::eNotApplicable, b->getTransformedCopy(stretch, copy));
  EXPECT_EQ(nullptr, copy);

  // A reference scaled 1 x 2 x 1 of a block holding the box: its explode is refused and hands
  // out nothing; scaled evenly it gives the box, twice the size.
  const QvDbObjectId block = addBlock(db(), L"CRATE");
  appendEntity(block, b.release());
  auto* uneven = new QvDbBlockReference(QvGePoint3d(10, 0, 0), block);
  ASSERT_EQ(Vexa::eOk, uneven->setScaleFactors(QvGeScale3d(1, 2, 1)));
  auto* even = new QvDbBlockReference(QvGePoint3d(10, 0, 0), block);
  ASSERT_EQ(Vexa::eOk, even->setScaleFactors(QvGeScale3d(2, 2, 2)));
  const QvDbObjectId unevenId = appendToModelSpace(db(), uneven);
  const QvDbObjectId evenId = appendToModelSpace(db(), even);
  Vexa::ErrorStatus es = Vexa::eOk;
  {
    QvDbObjectPointer<QvDbBlockReference> ref(unevenId, QvDb::kForRead);
    EXPECT_TRUE(exploded(*ref, es).empty());
    EXPECT_EQ(Vexa::eNotApplicable, es);
  }
  {
    QvDbObjectPointer<QvDbBlockReference> ref(evenId, QvDb::kForRead);
    const auto pieces = exploded(*ref, es);
    ASSERT_EQ(Vexa::eOk, es);
    ASSERT_EQ(1u, pieces.size());
    ASSERT_TRUE(QvDb3dSolid::cast(pieces[0].get()));
    EXPECT_NEAR(4 * 24.0, areaOf(*QvDb3dSolid::cast(pieces[0].get())), 1e-6);
  }
  EXPECT_TRUE(nothingLeftOpen(db()));
}
