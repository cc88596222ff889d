// Hatch trimming: what is kept of a hatch cut by curves. Areas are checked against the
// modeler's own booleans (Open CASCADE) or worked out by hand; seeds against the centroids.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/ge/QvGeScopedWorkLimit.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/VexaProductName.h"
#include "tests/cmdutil/hatchtrim/TrimHatchSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HatchShapes.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/CTrimHatch.h"

namespace {

constexpr double kPi = std::numbers::pi;
double hatchArea(QvDbObjectId id) {
  QvDbObjectPointer<QvDbHatch> hatch(id, QvDb::kForRead);
  double area = -1.0;
  EXPECT_EQ(Vexa::eOk, hatch->getArea(area));
  return area;
}

int loopsOf(QvDbObjectId id) {
  QvDbObjectPointer<QvDbHatch> hatch(id, QvDb::kForRead);
  return hatch->numLoops();
}

QvGePoint2dArray seedsOf(QvDbObjectId id) {
  QvDbObjectPointer<QvDbHatch> hatch(id, QvDb::kForRead);
  QvGePoint2dArray seeds;
  hatch->getHatchSeedPoints(seeds);
  return seeds;
}

// The area Open CASCADE gives for a rectangle intersected with a circle.
double rectangleAndCircle(double x0, double y0, double x1, double y1, const QvGePoint3d& c,
                          double r) {
  QvDbLine a({x0, y0, 0}, {x1, y0, 0}), b({x1, y0, 0}, {x1, y1, 0}), d({x1, y1, 0}, {x0, y1, 0}),
      e({x0, y1, 0}, {x0, y0, 0});
  QvDbCircle circle(c, QvGeVector3d::kZAxis, r);
  QvDbRegion *p = nullptr, *q = nullptr;
  EXPECT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves({&a, &b, &d, &e}, p, false, true, 1e-4));
  EXPECT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves({&circle}, q, false, true, 1e-4));
  std::unique_ptr<QvDbRegion> rp(p), rq(q);
  EXPECT_EQ(Vexa::eOk, rp->booleanOper(QvDbRegion::kBoolIntersect, rq.get()));
  double area = 0.0;
  rp->getArea(area);
  return area;
}

}  // namespace

class TrimHatchTest : public HostFixture {
 protected:
  void TearDown() override {
    setVexaProductPreName(nullptr);
    HostFixture::TearDown();
  }
  QvDbObjectId addHatch(std::unique_ptr<QvDbHatch> hatch) {
    return appendEntity(db()->modelSpaceId(), hatch.release());
  }
  // A solid hatch of one rectangle.
  QvDbObjectId addRectangle(double x0, double y0, double x1, double y1) {
    auto made = solidHatch();
    addEdgeLoop(*made, rectangleEdges(x0, y0, x1, y1));
    return addHatch(std::move(made));
  }
  QvDbObjectId addCircle(const QvGePoint3d& c, double r) {
    return appendEntity(db()->modelSpaceId(), new QvDbCircle(c, QvGeVector3d::kZAxis, r));
  }
  bool trim(QvDbObjectId hatchId, const std::vector<QvDbObjectId>& cutterIds, int mode = 0,
            const QvGePlane& plane = QvGePlane()) {
    return trimHatch(db(), hatchId, cutterIds, mode, plane);
  }
};

// A rectangle 10 x 6 with one seed, in the plane of `normal` at height 3 and `offset` from its
// origin, cut by the circle of that plane at its right side: the half disc is kept (the area
// the modeler gives), its centroid, 4r / 3pi left of the chord, the seed.
TEST_F(TrimHatchTest, ARectangleCutByACircleKeepsTheHalfDiscWithItsCentroidAsSeed) {
  const struct {
    QvGeVector3d normal;
    double offset;
  } placements[] = {{QvGeVector3d::kZAxis, 0.0},
                    {QvGeVector3d(1, 1, 1).normal(), 0.0},  // tilted: cut in its own plane
                    {QvGeVector3d::kZAxis, 1e7}};           // far from the origin
  for (const auto& [normal, offset] : placements) {
    SCOPED_TRACE(offset);
    auto made = solidHatch(normal, 3.0);
    addEdgeLoop(*made, rectangleEdges(offset, offset, offset + 10, offset + 6));
    made->setHatchSeedPoints(QvGePoint2dArray({QvGePoint2d(offset + 5, offset + 3)}));
    const QvGeMatrix3d toWorld = made->planeToWorld();
    const QvDbObjectId hatch = addHatch(std::move(made));
    const QvGePoint3d center = QvGePoint3d(offset + 10, offset + 3, 0).transformBy(toWorld);
    EXPECT_TRUE(
        trim(hatch, {appendEntity(db()->modelSpaceId(), new QvDbCircle(center, normal, 3))}));
    EXPECT_EQ(1, loopsOf(hatch));
    EXPECT_NEAR(4.5 * kPi, hatchArea(hatch), 1e-5);
    const QvGePoint2dArray seeds = seedsOf(hatch);
    ASSERT_EQ(1, seeds.length());
    EXPECT_NEAR(offset + 10.0 - 4.0 / kPi, seeds[0].x, 1e-5);
    EXPECT_NEAR(offset + 3.0, seeds[0].y, 1e-5);
  }
  EXPECT_NEAR(rectangleAndCircle(0, 0, 10, 6, {10, 3, 0}, 3), 4.5 * kPi, 1e-6);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(TrimHatchTest, LoopsInsideAreKeptOutsideRemovedAndUnusableLoopsLeftAlone) {
  // Inside a cutter: the loop comes back whole.
  const QvDbObjectId kept = addRectangle(0, 0, 2, 2);
  EXPECT_TRUE(trim(kept, {addCircle({1, 1, 0}, 5)}));
  EXPECT_EQ(1, loopsOf(kept));
  EXPECT_NEAR(4.0, hatchArea(kept), 1e-9);

  // Outside every cutter, or with no cutter at all: the loop goes.
  auto outer = solidHatch();
  addEdgeLoop(*outer, rectangleEdges(0, 0, 2, 2));
  addEdgeLoop(*outer, rectangleEdges(5, 0, 7, 2));
  const QvDbObjectId gone = addHatch(std::move(outer));
  EXPECT_TRUE(trim(gone, {addCircle({20, 20, 0}, 1)}));
  EXPECT_EQ(0, loopsOf(gone));
  const QvDbObjectId emptied = addRectangle(0, 0, 2, 2);
  EXPECT_TRUE(trim(emptied, {}));
  EXPECT_EQ(0, loopsOf(emptied));

  // A loop that crosses itself bounds no area: never touched.
  auto bowTie = solidHatch();
  addPolylineLoop(*bowTie, {{0, 0}, {4, 4}, {4, 0}, {0, 4}});
  const QvDbObjectId crossed = addHatch(std::move(bowTie));
  EXPECT_FALSE(trim(crossed, {addCircle({2, 2, 0}, 1)}));
  EXPECT_EQ(1, loopsOf(crossed));

  // No database, no hatch.
  QvArray<QvDbCurve*> noCutters;
  EXPECT_FALSE(CTrimHatch::TrimHatch(nullptr, noCutters, nullptr, 0, QvGePlane()));
  EXPECT_FALSE(CTrimHatch::TrimHatch(db(), noCutters, nullptr, 0, QvGePlane()));
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(TrimHatchTest, WithoutTheModelerNothingChanges) {
  ASSERT_EQ(nullptr, VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler());
  setVexaProductPreName(L"Zz");  // names a module that is not there
  const QvDbObjectId hatch = addRectangle(0, 0, 10, 6);
  EXPECT_FALSE(trim(hatch, {addCircle({10, 3, 0}, 3)}));
  EXPECT_EQ(1, loopsOf(hatch));
  EXPECT_NEAR(60.0, hatchArea(hatch), 1e-9);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(TrimHatchTest, CuttersAtAnotherElevationCutOnlyWhenProjected) {
  const QvDbObjectId projected = addRectangle(0, 0, 10, 6);
  EXPECT_TRUE(trim(projected, {addCircle({10, 3, 5}, 3)}, 1,
                   QvGePlane(QvGePoint3d::kOrigin, QvGeVector3d::kZAxis)));
  EXPECT_NEAR(4.5 * kPi, hatchArea(projected), 1e-6);

  // Not projected: the circle meets nothing in space; the survival test alone decides, so the
  // loop is kept whole or removed whole, never cut.
  const QvDbObjectId unprojected = addRectangle(0, 0, 10, 6);
  trim(unprojected, {addCircle({10, 3, 5}, 3)});
  EXPECT_LE(loopsOf(unprojected), 1);
  if (loopsOf(unprojected) > 0) {
    EXPECT_NEAR(60.0, hatchArea(unprojected), 1e-6);
  }
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(TrimHatchTest, NewLoopsAreAssociatedWithTheCuttersAndTheOldLoopsObjects) {
  auto* boundary = new QvDbPolyline();
  for (const QvGePoint2d& p : {QvGePoint2d(0, 0), {10, 0}, {10, 6}, {0, 6}})
    boundary->addVertexAt(boundary->numVerts(), p);
  boundary->setClosed(true);
  const QvDbObjectId boundaryId = appendEntity(db()->modelSpaceId(), boundary);
  auto made = solidHatch();
  made->setAssociative(true);
  addPolylineLoop(*made, {{0, 0}, {10, 0}, {10, 6}, {0, 6}});
  QvDbObjectIdArray ids;
  ids.append(boundaryId);
  made->setHatchAssocObjIdsAt(0, ids);
  const QvDbObjectId hatch = addHatch(std::move(made));
  const QvDbObjectId circle = addCircle({10, 3, 0}, 3);
  EXPECT_TRUE(trim(hatch, {circle}));
  QvDbObjectPointer<QvDbHatch> h(hatch, QvDb::kForRead);
  ASSERT_EQ(1, h->numLoops());
  EXPECT_EQ(QvDbHatch::kExternal | QvDbHatch::kDerived, h->loopTypeAt(0));
  h->getAssocObjIdsAt(0, ids);
  EXPECT_EQ(2, ids.length());
  EXPECT_TRUE(ids.contains(circle));
  EXPECT_TRUE(ids.contains(boundaryId));
  EXPECT_FALSE(ids.contains(hatch));
}

TEST_F(TrimHatchTest, CrossingAndNestedCuttersKeepTheirWholeArea) {
  // Two circles crossing inside the loop: their union, not what is left outside them. Two discs
  // of radius 3 whose centres are 4 apart overlap in a lens.
  const QvDbObjectId crossing = addRectangle(0, 0, 20, 20);
  EXPECT_TRUE(trim(crossing, {addCircle({8, 10, 0}, 3), addCircle({12, 10, 0}, 3)}));
  const double lens = 2 * 9 * std::acos(2.0 / 3.0) - 2 * 2 * std::sqrt(5.0);
  EXPECT_NEAR(2 * 9 * kPi - lens, hatchArea(crossing), 1e-6);

  // Concentric circles: the outer disc, whole.
  const QvDbObjectId nested = addRectangle(0, 0, 20, 20);
  EXPECT_TRUE(trim(nested, {addCircle({10, 10, 0}, 2), addCircle({10, 10, 0}, 4)}));
  EXPECT_NEAR(16 * kPi, hatchArea(nested), 1e-6);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(TrimHatchTest, ABlockReferenceCutsWithItsCurvesAndSeedsFollowTheirLoops) {
  const QvDbObjectId block = addBlock(db(), L"TREE");
  appendEntity(block, new QvDbCircle({0, 0, 0}, QvGeVector3d::kZAxis, 1.0));
  auto* reference = new QvDbBlockReference(block);
  reference->setPosition({3, 3, 0});
  reference->setScaleFactors(QvGeScale3d(2.0));
  const QvDbObjectId tree = appendEntity(db()->modelSpaceId(), reference);

  // Three loops and one seed: the seed of the first loop goes, the new loops get theirs.
  auto made = solidHatch();
  addEdgeLoop(*made, rectangleEdges(0, 0, 6, 6));
  addEdgeLoop(*made, rectangleEdges(20, 0, 22, 2));
  addEdgeLoop(*made, rectangleEdges(30, 0, 32, 2));
  made->setHatchSeedPoints(QvGePoint2dArray({QvGePoint2d(1, 1)}));
  const QvDbObjectId hatch = addHatch(std::move(made));
  EXPECT_TRUE(trim(hatch, {tree, addCircle({21, 1, 0}, 5), addCircle({31, 1, 0}, 5)}));
  EXPECT_NEAR(4 * kPi + 8.0, hatchArea(hatch), 1e-6);
  EXPECT_EQ(3, loopsOf(hatch));
  const QvGePoint2dArray seeds = seedsOf(hatch);
  ASSERT_EQ(3, seeds.length());
  EXPECT_LT(seeds[0].distanceTo({3, 3}), 1e-6);
  EXPECT_LT(seeds[1].distanceTo({21, 1}), 1e-6);
  EXPECT_LT(seeds[2].distanceTo({31, 1}), 1e-6);
}

TEST_F(TrimHatchTest, TheSameInputTwiceGivesTheSameDrawing) {
  std::string files[2];
  for (std::string& file : files) {
    auto db = std::make_unique<QvDbDatabase>();
    auto made = solidHatch();
    addEdgeLoop(*made, rectangleEdges(0, 0, 20, 20));
    const QvDbObjectId hatch = appendEntity(db->modelSpaceId(), made.release());
    std::vector<QvDbObjectId> cutters;
    for (const double x : {5.0, 9.0, 13.0})
      cutters.push_back(
          appendEntity(db->modelSpaceId(), new QvDbCircle({x, 10, 0}, QvGeVector3d::kZAxis, 3)));
    EXPECT_TRUE(trimHatch(db.get(), hatch, cutters));
    file = describeHatch(hatch);
  }
  EXPECT_NE(files[0].find("loop"), std::string::npos);
  EXPECT_EQ(files[0], files[1]);
}

TEST_F(TrimHatchTest, TwoBulgesMakeACircleOnlyWhenTheyTurnTheSameWay) {
  // Bulges 1 and 1: a circle of radius 2, kept whole inside a bigger cutter.
  auto round = solidHatch();
  addPolylineLoop(*round, {{0, 0}, {4, 0}}, {1.0, 1.0});
  const QvDbObjectId circle = addHatch(std::move(round));
  EXPECT_TRUE(trim(circle, {addCircle({2, 0, 0}, 10)}));
  EXPECT_NEAR(4 * kPi, hatchArea(circle), 1e-6);

  // Bulges 1 and -1 trace one half circle twice: no area, the loop stays as it was.
  auto flat = solidHatch();
  addPolylineLoop(*flat, {{0, 0}, {4, 0}}, {1.0, -1.0});
  const QvDbObjectId twice = addHatch(std::move(flat));
  EXPECT_FALSE(trim(twice, {addCircle({2, 0, 0}, 10)}));
  EXPECT_EQ(1, loopsOf(twice));
}

TEST_F(TrimHatchTest, TheHatchAmongItsCuttersIsNeitherACutterNorClosed) {
  const QvDbObjectId hatch = addRectangle(0, 0, 10, 6);
  const QvDbObjectId circle = addCircle({10, 3, 0}, 3);
  QvDbObjectPointer<QvDbHatch> open(hatch, QvDb::kForWrite);
  QvDbEntity* cutter = nullptr;
  ASSERT_EQ(Vexa::eOk, qvdbOpenObject(cutter, circle, QvDb::kForRead));
  QvArray<QvDbCurve*> cutters;
  cutters.append(reinterpret_cast<QvDbCurve*>(open.object()));
  cutters.append(reinterpret_cast<QvDbCurve*>(cutter));
  EXPECT_TRUE(CTrimHatch::TrimHatch(db(), cutters, open.object(), 0, QvGePlane()));
  EXPECT_TRUE(open->isWriteEnabled());  // still the caller's to close
  double area = 0.0;
  ASSERT_EQ(Vexa::eOk, open->getArea(area));
  EXPECT_NEAR(4.5 * kPi, area, 1e-6);
}

TEST_F(TrimHatchTest, AnIntersectionCutShortLeavesTheLoopAsItWas) {
  // A loop with a spline side: the spline against the cutter needs the general search.
  auto lens = [] {
    auto made = solidHatch();
    EdgeList edges;
    QvGePoint2dArray fit;
    for (const QvGePoint2d& p : {QvGePoint2d(0, 0), {5, 4}, {10, 0}}) fit.append(p);
    edges.push_back(std::make_unique<QvGeNurbCurve2d>(fit));
    edges.push_back(std::make_unique<QvGeLineSeg2d>(QvGePoint2d(10, 0), QvGePoint2d(0, 0)));
    addEdgeLoop(*made, edges);
    return made;
  };
  const QvDbObjectId limited = addHatch(lens());
  double before = hatchArea(limited);
  {
    QvGeScopedWorkLimit limit(1);
    EXPECT_FALSE(trim(limited, {addCircle({5, 4, 0}, 2)}));
  }
  EXPECT_EQ(1, loopsOf(limited));
  EXPECT_NEAR(before, hatchArea(limited), 1e-9);
  // With the usual limit the same cut goes through.
  const QvDbObjectId cut = addHatch(lens());
  EXPECT_TRUE(trim(cut, {addCircle({5, 4, 0}, 2)}));
  EXPECT_LT(hatchArea(cut), before);
  EXPECT_TRUE(nothingLeftOpen(db()));
}
