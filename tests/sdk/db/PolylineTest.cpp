// The lightweight polyline: parameters, bulges, widths, splits, explode, area, transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCurveArea.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbPolylineImp.h"
#include "sdk/db/QvDbToQvGe.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/PolylineShapes.h"

namespace {

using QvGe::kHalfPi;
using QvGe::kPi;
using Vexa::eInvalidInput;
using Vexa::eOk;

// (0,0) -> (10,0) straight, then a half circle bulging out to (15,5), on to (10,10), then
// straight to (0,10).
std::unique_ptr<QvDbPolyline> hook(bool closed = false) {
  return lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {0.0, 1.0}, closed);
}

TEST(PolylineTest, ParameterIsVertexIndexPlusFraction) {
  const auto pline = hook();
  double end = 0, dist = 0, param = 0;
  EXPECT_EQ(endsOf(*pline).startParam, 0.0);
  EXPECT_EQ(endsOf(*pline).endParam, 3.0);
  EXPECT_POINT_NEAR(at(*pline, 0.25), QvGePoint3d(2.5, 0, 0), 1e-12);
  EXPECT_POINT_NEAR(at(*pline, 1.5), QvGePoint3d(15, 5, 0), 1e-12);  // half the arc's angle
  EXPECT_POINT_NEAR(at(*pline, 2.0), QvGePoint3d(10, 10, 0), 1e-12);
  EXPECT_EQ(pline->getParamAtPoint(
                QvGePoint3d(10 + 5 * std::sin(kPi / 6), 5 - 5 * std::cos(kPi / 6), 0), param),
            eOk);
  EXPECT_NEAR(param, 1.0 + 1.0 / 6.0, 1e-12);
  EXPECT_EQ(pline->getParamAtPoint(QvGePoint3d(10, 0, 0), param), eOk);
  EXPECT_NEAR(param, 1.0, 1e-12);
  EXPECT_EQ(pline->getDistAtParam(1.5, dist), eOk);
  EXPECT_NEAR(dist, 10 + 2.5 * kPi, 1e-12);
  EXPECT_NEAR(lengthOf(*pline), 20 + 5 * kPi, 1e-12);

  // Outside, off and beyond: refused.
  QvGePoint3d p(9, 9, 9);
  EXPECT_EQ(pline->getPointAtParam(3.01, p), eInvalidInput);
  EXPECT_EQ(pline->getParamAtPoint(QvGePoint3d(5, 5, 0), param), eInvalidInput);
  EXPECT_EQ(pline->getParamAtDist(100, param), eInvalidInput);
  EXPECT_POINT_NEAR(p, QvGePoint3d(9, 9, 9), 0);
  const QvDbPolyline empty;
  EXPECT_EQ(empty.getEndParam(end), eInvalidInput);

  // The closed polyline has its closing segment as parameter 3 to 4.
  const auto ring = hook(true);
  EXPECT_EQ(endsOf(*ring).endParam, 4.0);
  EXPECT_POINT_NEAR(at(*ring, 3.5), QvGePoint3d(0, 5, 0), 1e-12);
  EXPECT_POINT_NEAR(endsOf(*ring).end, QvGePoint3d(0, 0, 0), 0);
}

TEST(PolylineTest, AreaCountsTheArcsBulges) {
  const auto ring = hook(true);
  double area = 0;
  EXPECT_EQ(ring->getArea(area), eOk);
  EXPECT_NEAR(area, 100 + 12.5 * kPi, 1e-12);  // square plus the half disc outside it
  // The same outline run the other way round.
  auto reversed = hook(true);
  EXPECT_EQ(reversed->reverseCurve(), eOk);
  EXPECT_EQ(reversed->getArea(area), eOk);
  EXPECT_NEAR(area, 100 + 12.5 * kPi, 1e-12);
  // A bulge of -1 on the same segment takes the half disc out of the square.
  ring->setBulgeAt(1, -1.0);
  EXPECT_EQ(ring->getArea(area), eOk);
  EXPECT_NEAR(area, 100 - 12.5 * kPi, 1e-12);
  // An open polyline closes with its chord; the area object answers the same.
  const auto open = hook();
  EXPECT_EQ(QvDbCurveArea(open.get()).getArea(area), eOk);
  EXPECT_NEAR(area, 100 + 12.5 * kPi, 1e-12);
  EXPECT_EQ(QvDbCurveArea(nullptr).getArea(area), Vexa::eNullPtr);
}

TEST(PolylineTest, ExplodesIntoTheRightLinesAndArcs) {
  auto ring = hook(true);
  ring->setColorIndex(5);
  ring->addVertexAt(4, QvGePoint2d(0, 10));  // a repeated vertex gives no segment
  const EntityList pieces = explodeOf(*ring);
  ASSERT_EQ(pieces.size(), 4);
  ASSERT_EQ(pieces.count<QvDbLine>(), 3);
  ASSERT_EQ(pieces.count<QvDbArc>(), 1);
  const QvDbArc* arc = pieces.as<QvDbArc>(1);
  ASSERT_NE(arc, nullptr);
  EXPECT_POINT_NEAR(arc->center(), QvGePoint3d(10, 5, 0), 1e-12);
  EXPECT_NEAR(arc->radius(), 5.0, 1e-12);
  EXPECT_VECTOR_NEAR(arc->normal(), QvGeVector3d::kZAxis, 0);
  EXPECT_NEAR(arc->startAngle(), 3 * kHalfPi, 1e-12);
  EXPECT_NEAR(arc->endAngle(), kHalfPi, 1e-12);
  EXPECT_POINT_NEAR(pieces.as<QvDbLine>(0)->endPoint(), QvGePoint3d(10, 0, 0), 0);
  EXPECT_POINT_NEAR(pieces.as<QvDbLine>(3)->endPoint(), QvGePoint3d(0, 0, 0), 0);
  for (int i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i]->colorIndex(), 5);

  // A clockwise bulge gives an arc that runs counterclockwise from the segment's end.
  ring->setBulgeAt(1, -1.0);
  const EntityList cw = explodeOf(*ring);
  const QvDbArc* inner = cw.as<QvDbArc>(1);
  ASSERT_NE(inner, nullptr);
  EXPECT_POINT_NEAR(endsOf(*inner).start, QvGePoint3d(10, 10, 0), 1e-12);
  EXPECT_POINT_NEAR(endsOf(*inner).end, QvGePoint3d(10, 0, 0), 1e-12);
  EXPECT_VECTOR_NEAR(inner->normal(), QvGeVector3d::kZAxis, 0);
}

TEST(PolylineTest, SplitPiecesKeepPointsBulgesAndLength) {
  const auto pline = hook();
  pline->setWidthsAt(0, 0.0, 2.0);
  const EntityList pieces = splitInto<QvDbPolyline>(*pline, QvGeDoubleArray{1.5, 0.5}, 3);
  ASSERT_EQ(pieces.size(), 3);
  const QvDbPolyline* middle = pieces.as<QvDbPolyline>(1);
  ASSERT_EQ(middle->numVerts(), 3u);
  QvGePoint3d p;
  middle->getPointAt(0, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(5, 0, 0), 1e-12);
  middle->getPointAt(2, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(15, 5, 0), 1e-12);
  double bulge = 0, sw = 0, ew = 0;
  middle->getBulgeAt(1, bulge);
  EXPECT_NEAR(bulge, std::tan(kPi / 8), 1e-12);  // a quarter turn
  middle->getWidthsAt(0, sw, ew);
  EXPECT_NEAR(sw, 1.0, 1e-12);  // the width halfway along the first segment
  EXPECT_NEAR(ew, 2.0, 1e-12);
  EXPECT_POINT_NEAR(at(*middle, 1.5), at(*pline, 1.25), 1e-12);

  // A closed polyline cut twice gives two open pieces, the second through the seam.
  const auto ring = hook(true);
  const EntityList halves = splitInto<QvDbPolyline>(*ring, QvGeDoubleArray{1.0, 3.5}, 2);
  ASSERT_EQ(halves.size(), 2);
  EXPECT_FALSE(halves.as<QvDbPolyline>(1)->isClosed());
  EXPECT_EQ(halves.as<QvDbPolyline>(1)->numVerts(), 3u);  // (0,5), (0,0), (10,0)
  // At points.
  QvArray<QvDbEntity*> out;
  ASSERT_EQ(ring->getSplitCurves(QvGePoint3dArray{QvGePoint3d(15, 5, 0)}, out), eOk);
  EntityList opened(out);
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(pline->getSplitCurves(QvGeDoubleArray{-0.5}, out), eInvalidInput);
  EXPECT_TRUE(out.isEmpty());
}

TEST(PolylineTest, PointsLieInTheOcsOfItsNormalAtItsElevation) {
  QvDbPolyline pline;
  pline.addVertexAt(0, QvGePoint2d(1, 0));
  pline.addVertexAt(1, QvGePoint2d(1, 2));
  ASSERT_EQ(pline.setNormal(QvGeVector3d(0, 0, -1)), eOk);
  ASSERT_EQ(pline.setElevation(2.0), eOk);
  // The OCS of -Z: x = Wy x N = -X, y = N x x = Y, and the elevation runs along N.
  QvGePoint3d p;
  pline.getPointAt(0, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(-1, 0, -2), 1e-15);
  pline.getPointAt(1, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(-1, 2, -2), 1e-15);
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  EXPECT_EQ(pline.getPlane(plane, planarity), eOk);
  EXPECT_EQ(planarity, QvDb::kPlanar);
  EXPECT_TRUE(plane.isOn(QvGePoint3d(5, 5, -2)));
}

TEST(PolylineTest, MirrorKeepsTheNormalAndTurnsTheBulges) {
  auto pline = hook();
  const QvGeMatrix3d mirror =
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(20, 0, 0), QvGeVector3d(1, 0, 0)));
  const auto original = hook();
  ASSERT_EQ(pline->transformBy(mirror), eOk);
  EXPECT_VECTOR_NEAR(pline->normal(), QvGeVector3d::kZAxis, 0);
  double bulge = 0;
  pline->getBulgeAt(1, bulge);
  EXPECT_EQ(bulge, -1.0);
  for (double t : {0.0, 0.5, 1.25, 1.5, 2.75, 3.0}) {
    QvGePoint3d p = at(*original, t);
    EXPECT_POINT_NEAR(at(*pline, t), p.transformBy(mirror), 1e-12) << t;
  }
  // Arcs cannot follow non-uniform scaling; straight polylines can.
  QvGeMatrix3d stretch;
  stretch.entry[0][0] = 2.0;
  EXPECT_EQ(pline->transformBy(stretch), Vexa::eNotApplicable);
  QvDbPolyline straight;
  straight.addVertexAt(0, QvGePoint2d(1, 1), 0, 1, 1);
  straight.addVertexAt(1, QvGePoint2d(2, 3), 0, 1, 1);
  EXPECT_EQ(straight.transformBy(stretch), eOk);
  QvGePoint3d p;
  straight.getPointAt(1, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(4, 3, 0), 1e-12);
}

TEST(PolylineTest, ReversedPolylineRunsBackOverTheSamePoints) {
  for (bool closed : {false, true}) {
    const auto original = hook(closed);
    original->setWidthsAt(1, 1.0, 3.0);
    auto reversed = hook(closed);
    reversed->setWidthsAt(1, 1.0, 3.0);
    ASSERT_EQ(reversed->reverseCurve(), eOk);
    double end = 0;
    original->getEndParam(end);
    for (double t = 0; t <= end; t += 0.25)
      EXPECT_POINT_NEAR(at(*reversed, t), at(*original, end - t), 1e-12) << t;
    // The arc's widths run the other way too.
    const unsigned arcStart = closed ? 2 : 1;
    double sw = 0, ew = 0;
    reversed->getWidthsAt(arcStart, sw, ew);
    EXPECT_EQ(sw, 3.0);
    EXPECT_EQ(ew, 1.0);
  }
}

TEST(PolylineTest, ExtendsAlongItsEndSegments) {
  auto pline = hook();
  EXPECT_EQ(pline->extend(-0.5), eOk);  // back along the first segment
  QvGePoint3d p;
  pline->getPointAt(0, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(-5, 0, 0), 1e-12);
  EXPECT_EQ(pline->extend(false, QvGePoint3d(-3, 10, 0)), eOk);
  pline->getPointAt(3, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(-3, 10, 0), 0);
  EXPECT_EQ(pline->extend(false, QvGePoint3d(-3, 11, 0)), eInvalidInput);  // off the carrier
  EXPECT_EQ(pline->extend(1.5), eInvalidInput);                            // inside

  // An end arc grows round its circle: the half circle to three quarters.
  const auto arcEnd = lightweightPolyline({{0, 0}, {10, 0}, {10, 10}}, {0.0, 1.0});
  ASSERT_EQ(arcEnd->extend(2.5), eOk);
  arcEnd->getPointAt(2, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(5, 5, 0), 1e-12);
  double bulge = 0;
  arcEnd->getBulgeAt(1, bulge);
  EXPECT_NEAR(bulge, std::tan(3 * kPi / 8), 1e-12);
  EXPECT_EQ(hook(true)->extend(5.0), Vexa::eNotApplicable);
}

TEST(PolylineTest, VertexDataWidthsAndSegmentKinds) {
  QvDbPolyline pline;
  EXPECT_EQ(pline.segType(0), QvDbPolyline::kEmpty);
  pline.addVertexAt(0, QvGePoint2d(0, 0));
  EXPECT_EQ(pline.segType(0), QvDbPolyline::kPoint);
  EXPECT_EQ(pline.addVertexAt(5, QvGePoint2d(1, 1)), Vexa::eInvalidIndex);
  pline.addVertexAt(1, QvGePoint2d(4, 0), 0.5);
  pline.addVertexAt(2, QvGePoint2d(4, 3));
  pline.addVertexAt(3, QvGePoint2d(4, 3));
  EXPECT_EQ(pline.segType(0), QvDbPolyline::kLine);
  EXPECT_EQ(pline.segType(1), QvDbPolyline::kArc);
  EXPECT_EQ(pline.segType(2), QvDbPolyline::kCoincident);
  EXPECT_EQ(pline.segType(3), QvDbPolyline::kEmpty);  // open: nothing leaves the last vertex
  QvGeCircArc3d arc;
  EXPECT_EQ(pline.getArcSegAt(1, arc), eOk);
  EXPECT_EQ(pline.getArcSegAt(0, arc), Vexa::eNotApplicable);
  QvGeLineSeg2d seg;
  EXPECT_EQ(pline.getLineSegAt(0, seg), eOk);

  // -1 widths take the constant width when there is one.
  EXPECT_EQ(pline.setConstantWidth(0.5), eOk);
  EXPECT_EQ(pline.addVertexAt(4, QvGePoint2d(0, 3)), eOk);
  double width = 0;
  EXPECT_EQ(pline.getConstantWidth(width), eOk);
  EXPECT_EQ(width, 0.5);
  pline.setWidthsAt(0, 0.5, 1.0);
  EXPECT_EQ(pline.getConstantWidth(width), Vexa::eNotApplicable);
  EXPECT_EQ(pline.setWidthsAt(0, -1.0, 1.0), eInvalidInput);
  EXPECT_EQ(pline.reset(true, 2), eOk);
  EXPECT_EQ(pline.numVerts(), 2u);
  EXPECT_EQ(pline.reset(false, 10), eOk);
  EXPECT_EQ(pline.numVerts(), 0u);
}

TEST(PolylineTest, MarkersIdentifiersAndTheCompositeCurve) {
  const auto ring = hook(true);
  auto* imp = static_cast<QvDbPolylineImp*>(QvDbSystemInternals::getImpObject(ring.get()));
  ASSERT_NE(imp, nullptr);
  EXPECT_EQ(imp->getGsMarkerByPoint(QvGePoint3d(15, 5, 0)), 2);
  EXPECT_EQ(imp->getGsMarkerByPoint(QvGePoint3d(0, 5, 0)), 4);
  EXPECT_EQ(imp->getGsMarkerByPoint(QvGePoint3d(5, 5, 0)), 0);
  EXPECT_EQ(imp->setVertexIdentifierAt(2, 77), eOk);
  EXPECT_EQ(ring->vertexIdentifierAt(2), 77);
  EXPECT_EQ(imp->setVertexIdentifierAt(9, 1), Vexa::eInvalidIndex);

  std::unique_ptr<QvGeCompositeCurve3d> composite(QvDbToQvGe::compositeCurve3d(ring.get()));
  ASSERT_NE(composite, nullptr);
  EXPECT_EQ(composite->numCurves(), 4);
  EXPECT_TRUE(composite->isClosed());
  EXPECT_NEAR(composite->length(), lengthOf(*ring), 1e-9);
  EXPECT_EQ(QvDbToQvGe::compositeCurve3d(nullptr), nullptr);
  const QvDbPolyline single;
  EXPECT_EQ(QvDbToQvGe::compositeCurve3d(&single), nullptr);
}

}  // namespace
