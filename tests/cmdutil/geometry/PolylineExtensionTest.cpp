// The entity protocol extension of lightweight and 2D polylines: the segment nearest the pick
// gives the frame, closing segments included.
#include <gtest/gtest.h>

#include <limits>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PolylineShapes.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

const QvGeVector3d kX = QvGeVector3d::kXAxis, kY = QvGeVector3d::kYAxis;

class PolylineExtension : public EntityExtensionTest {
 protected:
  static std::unique_ptr<QvDbPolyline> square(double elevation) {
    auto polyline = lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}, true);
    polyline->setElevation(elevation);
    return polyline;
  }
};

TEST_F(PolylineExtension, LightweightPolylineTakesTheNearestSegment) {
  const auto polyline = square(2.0);
  // No pick: vertex 0 toward vertex 1.
  EXPECT_TRUE(alignsTo(*polyline, nullptr, QvGePoint3d(0, 0, 2), kX));
  // Picks near the closing segment, from (0, 10) back to (0, 0), seen from above: past its
  // middle the origin is its end, before it its start.
  const QvGePoint3d lowOnClosing(0.2, 4, 50);
  EXPECT_TRUE(alignsTo(*polyline, lowOnClosing, QvGePoint3d(0, 0, 2), kY));
  EXPECT_TRUE(alignsTo(*polyline, QvGePoint3d(-0.2, 6, -5), QvGePoint3d(0, 10, 2), -kY));
  // Near the second segment's end.
  EXPECT_TRUE(alignsTo(*polyline, QvGePoint3d(9.5, 8, 0), QvGePoint3d(10, 10, 2), -kY));

  // An open one has no closing segment: the same pick falls to the first segment's start.
  ASSERT_EQ(polyline->setClosed(false), Vexa::eOk);
  EXPECT_TRUE(alignsTo(*polyline, lowOnClosing, QvGePoint3d(0, 0, 2), kX));

  EXPECT_POINT_NEAR(basePoint(*polyline), QvGePoint3d(0, 0, 2));
  QvGePoint3d base;
  EXPECT_EQ(pe(polyline.get())->getBasePoint(nullptr, base), Vexa::eInvalidInput);
}

TEST_F(PolylineExtension, ArcSegmentsGiveTheirCentre) {
  // A half circle below the chord from (0, 0) to (10, 0) (bulge 1, counterclockwise), centre
  // (5, 0); then a line on to (10, 10).
  const auto polyline = lightweightPolyline({{0, 0}, {10, 0}, {10, 10}}, {1.0});
  EXPECT_TRUE(alignsTo(*polyline, QvGePoint3d(8.5, -3.5, 0), QvGePoint3d(5, 0, 0), kX));
  EXPECT_TRUE(alignsTo(*polyline, QvGePoint3d(1.5, -3.5, 0), QvGePoint3d(5, 0, 0), -kX));
}

TEST_F(PolylineExtension, RefusalsLeaveTheMatrix) {
  const auto polyline = square(0.0);
  const QvGePoint3d pick(1, 1, 0);
  EXPECT_TRUE(
      refusesAlign(pe(polyline.get()), polyline.get(), &pick, nullptr, Vexa::eNotApplicable));
  QvDbPolyline single;
  single.addVertexAt(0, QvGePoint2d(3, 3));
  EXPECT_TRUE(refusesAlign(pe(&single), &single, nullptr, nullptr, Vexa::eNotApplicable));
  // The extension of one class asked about another.
  QvDb2dPolyline other;
  EXPECT_TRUE(refusesAlign(pe(polyline.get()), &other, nullptr, nullptr, Vexa::eNotApplicable));
}

TEST_F(PolylineExtension, PicksThatAreNotFiniteAreRefusedByEveryClass) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const auto polyline = square(0.0);
  const QvGePoint3dArray fit = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  QvDbArc arc(QvGePoint3d(0, 0, 0), 1.0, 0.0, 1.0);
  QvDbCircle circle(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 1.0);
  QvDbSpline spline(fit);
  QvDb2dPolyline twoD(k2dSimplePoly, fit);
  QvDbHatch hatch;
  QvDbText text(QvGePoint3d(0, 0, 0), L"T");
  QvDbEntity* entities[] = {polyline.get(), &line, &arc, &circle, &spline, &twoD, &hatch, &text};
  for (const QvGePoint3d& bad : {QvGePoint3d(nan, 0, 0), QvGePoint3d(0, inf, 0)}) {
    for (QvDbEntity* entity : entities) {
      EXPECT_TRUE(
          refusesAlign(pe(entity), entity, &bad, vexaGetActiveQvGsView(), Vexa::eInvalidInput))
          << QvString(entity->isA()->name()).utf8();
    }
  }
}

TEST_F(PolylineExtension, TwoDimensionalPolylineInADrawingPicksItsClosingSegment) {
  const QvGePoint3dArray corners = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  const QvGeDoubleArray bulges = {0.0, 0.0, 0.0, 0.0};
  const QvDbObjectId id = appendToModelSpace(
      db(), new QvDb2dPolyline(k2dSimplePoly, corners, 3.0, true, 0.0, 0.0, &bulges));
  ASSERT_FALSE(id.isNull());
  {
    QvDbObjectPointer<QvDb2dPolyline> polyline(id, QvDb::kForRead);
    ASSERT_TRUE(polyline);
    QvDb2dPolyline& entity = *polyline.object();
    EXPECT_TRUE(alignsTo(entity, nullptr, QvGePoint3d(0, 0, 3), kX));
    const QvGePoint3d lowOnClosing(0.2, 4, 0);
    EXPECT_TRUE(alignsTo(entity, lowOnClosing, QvGePoint3d(0, 0, 3), kY));
    EXPECT_TRUE(alignsTo(entity, QvGePoint3d(4, 9.8, 0), QvGePoint3d(0, 10, 3), kX));
    EXPECT_POINT_NEAR(basePoint(entity), QvGePoint3d(0, 0, 3));
  }
}

TEST_F(PolylineExtension, TwoDimensionalArcSegmentsBendByTheirBulge) {
  // A quarter turn counterclockwise from (10, 0) to (0, 10) about the origin (bulge tan(pi/8)).
  const QvGePoint3dArray points = {{10, 0, 0}, {0, 10, 0}};
  const QvGeDoubleArray bulges = {0.41421356237309503, 0.0};
  QvDb2dPolyline polyline(k2dSimplePoly, points, 0.0, false, 0.0, 0.0, &bulges);
  EXPECT_TRUE(alignsTo(polyline, QvGePoint3d(2, 9.9, 0), QvGePoint3d::kOrigin, kY));
  EXPECT_TRUE(alignsTo(polyline, QvGePoint3d(9.9, 2, 0), QvGePoint3d::kOrigin, kX));
}

}  // namespace
