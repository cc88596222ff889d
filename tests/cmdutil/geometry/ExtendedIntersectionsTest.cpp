// Where a grown text box meets other entities, and what continues a spline beyond its ends.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// A box 10 wide and 2 high, corners in the order the text extensions give them.
QvGePoint3dArray textBox() {
  return {{0, 2, 0}, {10, 2, 0}, {10, 0, 0}, {0, 0, 0}};
}

bool containsPoint(const QvGePoint3dArray& points, const QvGePoint3d& p) {
  for (int i = 0; i < points.length(); ++i)
    if (points[i].distanceTo(p) < 1e-9) return true;
  return false;
}

// The points where `box` grown by `margin` meets `entity`, appended to `points`; the status.
Vexa::ErrorStatus meet(const QvGePoint3dArray& box, QvDbEntity* entity, double margin,
                       QvGePoint3dArray& points, QvDb::Intersect extend = QvDb::kOnBothOperands,
                       bool projected = false) {
  return XqDbUtil::getExtendedIntPtsWithEnt(box, entity, margin, extend, points, QvGePlane(),
                                            projected);
}

TEST(ExtendedIntersections, TheBoxGrowsByTheMarginOnEverySide) {
  // The diagonal of the grown box passes exactly through its corners (-1,3) and (11,-1).
  QvDbLine diagonal(QvGePoint3d(-4, 4, 0), QvGePoint3d(14, -2, 0));
  QvGePoint3dArray points;
  ASSERT_EQ(meet(textBox(), &diagonal, 1.0, points), Vexa::eOk);
  EXPECT_TRUE(containsPoint(points, QvGePoint3d(-1, 3, 0)));
  EXPECT_TRUE(containsPoint(points, QvGePoint3d(11, -1, 0)));

  // A line in the margin only (x = -0.5) meets the grown top and bottom edges, appended to
  // what the output held.
  QvDbLine inMargin(QvGePoint3d(-0.5, -5, 0), QvGePoint3d(-0.5, 5, 0));
  QvGePoint3dArray more = {QvGePoint3d(100, 100, 100)};
  ASSERT_EQ(meet(textBox(), &inMargin, 1.0, more), Vexa::eOk);
  ASSERT_EQ(more.length(), 3);
  EXPECT_TRUE(containsPoint(more, QvGePoint3d(-0.5, 3, 0)));
  EXPECT_TRUE(containsPoint(more, QvGePoint3d(-0.5, -1, 0)));

  // Beyond the margin: nothing, and still success. With extension of the edges it is met.
  QvDbLine outside(QvGePoint3d(-2, -5, 0), QvGePoint3d(-2, 5, 0));
  QvGePoint3dArray none;
  EXPECT_EQ(meet(textBox(), &outside, 1.0, none), Vexa::eOk);
  EXPECT_EQ(none.length(), 0);
  EXPECT_EQ(meet(textBox(), &outside, 1.0, none, QvDb::kExtendThis), Vexa::eOk);
  EXPECT_TRUE(containsPoint(none, QvGePoint3d(-2, 3, 0)));
}

TEST(ExtendedIntersections, APlaneMeetsWhatPassesAboveTheBox) {
  QvDbLine above(QvGePoint3d(5, -5, 7), QvGePoint3d(5, 5, 7));
  QvGePoint3dArray points;
  ASSERT_EQ(meet(textBox(), &above, 0.5, points), Vexa::eOk);
  EXPECT_EQ(points.length(), 0) << "skew lines do not meet";
  ASSERT_EQ(meet(textBox(), &above, 0.5, points, QvDb::kOnBothOperands, true), Vexa::eOk);
  ASSERT_EQ(points.length(), 2);
  EXPECT_TRUE(containsPoint(points, QvGePoint3d(5, 2.5, 0)));  // on the box's edges
  EXPECT_TRUE(containsPoint(points, QvGePoint3d(5, -0.5, 0)));
}

TEST(ExtendedIntersections, RefusesBadInputAndAppendsNothing) {
  QvDbLine line(QvGePoint3d(-0.5, -5, 0), QvGePoint3d(-0.5, 5, 0));
  QvGePoint3dArray three = textBox();
  three.removeLast();
  QvGePoint3dArray five = textBox();
  five.append(QvGePoint3d(1, 1, 0));
  QvGePoint3dArray points;
  EXPECT_EQ(meet(three, &line, 1.0, points), Vexa::eInvalidInput);
  EXPECT_EQ(meet(five, &line, 1.0, points), Vexa::eInvalidInput);
  EXPECT_EQ(meet(textBox(), nullptr, 1.0, points), Vexa::eInvalidInput);
  EXPECT_EQ(meet(textBox(), &line, std::numeric_limits<double>::quiet_NaN(), points),
            Vexa::eInvalidInput);
  EXPECT_EQ(points.length(), 0);
}

// A cubic through control points (0,0) (1,0) (2,0) (3,1): straight at its start (the second
// derivative there is 6 (P0 - 2 P1 + P2) = 0), curved at its end.
std::unique_ptr<QvDbSpline> straightStartSpline() {
  return std::make_unique<QvDbSpline>(
      3, false, false, false, QvGePoint3dArray({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 1, 0}}),
      QvGeDoubleArray({0, 0, 0, 0, 1, 1, 1, 1}), QvGeDoubleArray());
}

struct Curves {
  QvArray<QvGeCurve3d*> slots;
  ~Curves() {
    for (int i = 0; i < slots.length(); ++i) delete slots[i];
  }
};

TEST(SplineExtension, AStraightEndGetsARayACurvedEndItsExtensionThenARay) {
  const auto spline = straightStartSpline();
  Curves curves;
  ASSERT_TRUE(XqDbUtil::getSplineExtendSegmentGeCurve(spline.get(), true, true, curves.slots));
  ASSERT_EQ(curves.slots.length(), 4);

  // Start: a ray back along -x from the start point, no extension curve.
  auto* startRay = dynamic_cast<QvGeRay3d*>(curves.slots[0]);
  ASSERT_NE(startRay, nullptr);
  EXPECT_EQ(curves.slots[1], nullptr);
  EXPECT_POINT_NEAR(startRay->pointOnLine(), QvGePoint3d(0, 0, 0));
  EXPECT_VECTOR_NEAR(startRay->rayDirection().normal(), QvGeVector3d(-1, 0, 0));

  // End: an extension that starts at the end point (3,1) along the end tangent, which is
  // along P3 - P2 = (1,1); then a ray from the extension's far end along its tangent there.
  auto* nurbs = dynamic_cast<QvGeNurbCurve3d*>(curves.slots[2]);
  const QvGeCurve3d* extension = nurbs;
  auto* endRay = dynamic_cast<QvGeRay3d*>(curves.slots[3]);
  ASSERT_NE(nurbs, nullptr);
  ASSERT_NE(endRay, nullptr);
  QvGeVector3dArray derivs;
  const QvGePoint3d joint = extension->evalPoint(nurbs->startParam(), 1, derivs);
  EXPECT_POINT_NEAR(joint, QvGePoint3d(3, 1, 0));
  EXPECT_VECTOR_NEAR(derivs[0].normal(), QvGeVector3d(1, 1, 0).normal());
  const QvGePoint3d far = extension->evalPoint(nurbs->endParam(), 1, derivs);
  EXPECT_GT(far.distanceTo(joint), 1e-3);
  EXPECT_POINT_NEAR(endRay->pointOnLine(), far);
  EXPECT_VECTOR_NEAR(endRay->rayDirection().normal(), derivs[0].normal());
}

TEST(SplineExtension, OneEndOnlyAndNothingAsked) {
  const auto spline = straightStartSpline();
  Curves curves;
  ASSERT_TRUE(XqDbUtil::getSplineExtendSegmentGeCurve(spline.get(), false, true, curves.slots));
  ASSERT_EQ(curves.slots.length(), 4);
  EXPECT_EQ(curves.slots[0], nullptr);
  EXPECT_EQ(curves.slots[1], nullptr);
  EXPECT_NE(curves.slots[2], nullptr);
  EXPECT_NE(curves.slots[3], nullptr);

  Curves nothing;
  EXPECT_FALSE(XqDbUtil::getSplineExtendSegmentGeCurve(spline.get(), false, false, nothing.slots));
  EXPECT_EQ(nothing.slots.length(), 4);
  EXPECT_FALSE(XqDbUtil::getSplineExtendSegmentGeCurve(nullptr, true, true, nothing.slots));
  for (int i = 0; i < nothing.slots.length(); ++i) EXPECT_EQ(nothing.slots[i], nullptr);
}

}  // namespace
