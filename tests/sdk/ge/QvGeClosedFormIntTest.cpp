#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeRay3d.h"
#include "tests/sdk/ge/IntersectionPairs.h"

namespace {

constexpr double kPi = QvGe::kPi;
const QvGeVector3d kZ = QvGeVector3d::kZAxis;

QvGeLineSeg3d seg(double x1, double y1, double x2, double y2) {
  return QvGeLineSeg3d(QvGePoint3d(x1, y1, 0), QvGePoint3d(x2, y2, 0));
}

TEST(QvGeCurveCurveInt3d, SegmentsCrossTouchAndMiss) {
  const QvGeLineSeg3d a = seg(0, 0, 4, 4);
  QvGeCurveCurveInt3d ints = meet(a, seg(0, 4, 4, 0), {{2, 2, 0}});
  double p1, p2;
  ints.getIntParams(0, p1, p2);
  EXPECT_NEAR(p1, 0.5, 1e-15);
  EXPECT_NEAR(p2, 0.5, 1e-15);
  EXPECT_EQ(ints.intConfig(0), QvGe::kIntCrossing);

  // A T: the other ends on a's interior; the end parameter is exact.
  ints = meet(a, seg(1, 3, 2, 2), {{2, 2, 0}});
  ints.getIntParams(0, p1, p2);
  EXPECT_EQ(p2, 1.0);
  // Ending a hair short of a, within the tolerance, still meets; further off does not.
  meet(a, seg(1, 3, 2 - 3e-11, 2 + 3e-11), {{2, 2, 0}});
  meet(a, seg(1, 3, 2 - 1e-9, 2 + 1e-9), {});
  // Skew in space, and parallel apart.
  meet(a, QvGeLineSeg3d(QvGePoint3d(0, 4, 1e-6), QvGePoint3d(4, 0, 1e-6)), {});
  EXPECT_EQ(meet(a, seg(1, 0, 5, 4), {}).overlapCount(), 0);
}

TEST(QvGeCurveCurveInt3d, CollinearSegmentsOverlapOrTouch) {
  const QvGeLineSeg3d a = seg(0, 0, 10, 0);
  QvGeCurveCurveInt3d ints = meet(a, seg(12, 0, 4, 0), {{4, 0, 0}, {10, 0, 0}});  // the other way
  ASSERT_EQ(ints.overlapCount(), 1);
  QvGeInterval r1, r2;
  ints.getOverlapRanges(0, r1, r2);
  EXPECT_NEAR(r1.lowerBound(), 0.4, 1e-15);
  EXPECT_NEAR(r1.upperBound(), 1.0, 1e-15);
  EXPECT_NEAR(r2.lowerBound(), 0.25, 1e-15);
  EXPECT_NEAR(r2.upperBound(), 1.0, 1e-15);
  EXPECT_TRUE(ints.isOverlapReversed(0));
  EXPECT_EQ(ints.intConfig(0), QvGe::kIntOverlapEnd);
  // End to end: one point where they touch.
  ints = meet(a, seg(10, 0, 15, 0), {{10, 0, 0}});
  EXPECT_EQ(ints.overlapCount(), 0);
  EXPECT_EQ(ints.intConfig(0), QvGe::kIntTangent);
  // A segment against the unbounded line carrying it: the segment is the overlap.
  ints.set(QvGeLine3d(QvGePoint3d(-5, 0, 0), QvGeVector3d(1, 0, 0)), a);
  ASSERT_EQ(ints.overlapCount(), 1);
  ints.getOverlapRanges(0, r1, r2);
  EXPECT_NEAR(r1.lowerBound(), 5.0, 1e-14);
  EXPECT_NEAR(r1.upperBound(), 15.0, 1e-14);
  // A ray starting in the middle of the segment; a zero-length segment on it is a point on it.
  meet(a, QvGeRay3d(QvGePoint3d(3, 0, 0), QvGeVector3d(-1, 0, 0)), {{0, 0, 0}, {3, 0, 0}});
  meet(a, seg(7, 0, 7, 0), {{7, 0, 0}});
}

TEST(QvGeCurveCurveInt3d, LinesAgainstCirclesMatchTheAnalyticPoints) {
  // x^2 + y^2 = 25 and y = 3 meet at (+-4, 3).
  const QvGeCircArc3d circle(QvGePoint3d(), kZ, 5.0);
  const QvGeLineSeg3d chord = seg(-10, 3, 10, 3);
  const QvGeCurveCurveInt3d ints = meet(chord, circle, {{-4, 3, 0}, {4, 3, 0}}, 1e-15);
  double p1, p2;
  ints.getIntParams(1, p1, p2);
  EXPECT_NEAR(p2, std::atan2(3.0, 4.0), 1e-15);
  // Tangent at the top: one point.
  EXPECT_TRUE(meet(seg(-10, 5, 10, 5), circle, {{0, 5, 0}}).isTangential(0));
  meet(seg(-10, 5.001, 10, 5.001), circle, {});
  // Only the part of the arc that is there.
  const QvGeCircArc3d upper(QvGePoint3d(), kZ, QvGeVector3d::kXAxis, 5.0, 0.0, kPi / 2);
  meet(chord, upper, {{4, 3, 0}});
  // A line through the arc's plane: the point where it pierces the circle.
  meet(QvGeLine3d(QvGePoint3d(3, -4, 7), kZ), circle, {{3, -4, 0}});
  meet(QvGeLine3d(QvGePoint3d(3, -3, 7), kZ), circle, {});
  // A segment ending exactly on the arc's end point.
  meet(seg(9, 9, 0, 5), upper, {{0, 5, 0}});
}

TEST(QvGeCurveCurveInt3d, RandomSegmentArcPairsAgreeWithTheirEquations) {
  // Every point found lies on both curves, and the number found equals the sign changes of
  // (distance to the center - radius) along the segment at angles inside the arc.
  std::mt19937 rng(99);
  std::uniform_real_distribution<double> u(-10.0, 10.0), r(0.5, 6.0), ang(0.0, 2 * kPi);
  int found = 0, compared = 0;
  for (int n = 0; n < 300; ++n) {
    const QvGeLineSeg3d seg(QvGePoint3d(u(rng), u(rng), 0), QvGePoint3d(u(rng), u(rng), 0));
    const double start = ang(rng);
    const QvGeCircArc3d arc(QvGePoint3d(u(rng) * 0.3, u(rng) * 0.3, 0), QvGeVector3d::kZAxis,
                            QvGeVector3d::kXAxis, r(rng), start, start + ang(rng));
    const QvGeCurveCurveInt3d ints(seg, arc);
    intcheck::expectConsistent(ints, 1e-12);
    found += ints.numIntPoints();
    int crossings = 0;
    bool ambiguous = false;
    double prev = 0.0;
    constexpr int kSteps = 20000;
    for (int k = 0; k <= kSteps; ++k) {
      const QvGePoint3d p = seg.evalPoint(static_cast<double>(k) / kSteps);
      const double f = p.distanceTo(arc.center()) - arc.radius();
      if (k > 0 && (f > 0) != (prev > 0)) {
        const double angle = (p - arc.center()).convert2d(QvGePlane::kXYPlane).angle();
        double w = std::fmod(angle - arc.startAng(), 2 * kPi);
        if (w < 0) w += 2 * kPi;
        const double sweep = arc.endAng() - arc.startAng();
        if (std::fabs(w - sweep) < 1e-3 || w > 2 * kPi - 1e-3) ambiguous = true;
        if (w <= sweep) ++crossings;
      }
      if (k == 0 || k == kSteps) ambiguous = ambiguous || std::fabs(f) < 1e-3;
      prev = f;
    }
    if (ambiguous) continue;
    ++compared;
    EXPECT_EQ(ints.numIntPoints(), crossings) << n;
  }
  EXPECT_GT(found, 50);
  EXPECT_GT(compared, 250);
}

TEST(QvGeCurveCurveInt3d, CirclesCrossTouchAndCoincide) {
  const QvGeCircArc3d a(QvGePoint3d(), kZ, 5.0);
  meet(a, QvGeCircArc3d(QvGePoint3d(8, 0, 0), kZ, 5.0), {{4, 3, 0}, {4, -3, 0}}, 1e-15);
  // Tangent outside and inside.
  EXPECT_TRUE(meet(a, QvGeCircArc3d(QvGePoint3d(10, 0, 0), kZ, 5.0), {{5, 0, 0}}).isTangential(0));
  EXPECT_TRUE(meet(a, QvGeCircArc3d(QvGePoint3d(0, 2, 0), -kZ, 3.0), {{0, 5, 0}}).isTangential(0));
  // Concentric, and in parallel planes.
  meet(a, QvGeCircArc3d(QvGePoint3d(), kZ, 4.0), {});
  meet(a, QvGeCircArc3d(QvGePoint3d(0, 0, 1), kZ, 5.0), {});
  // Crossing planes: the circle in the XZ plane through (+-5, 0, 0).
  meet(a, QvGeCircArc3d(QvGePoint3d(0, 0, 3), QvGeVector3d::kYAxis, std::sqrt(34.0)),
       {{5, 0, 0}, {-5, 0, 0}});
  // Arcs of one circle overlap where their angles do, whichever way they run.
  const QvGeCircArc3d arc1(QvGePoint3d(), kZ, QvGeVector3d::kXAxis, 5, 0, 2);
  const QvGeCircArc3d arc2(QvGePoint3d(), -kZ, QvGeVector3d::kXAxis, 5, 2 * kPi - 3,
                           2 * kPi - 1);  // angles 1..3 counterclockwise
  const QvGeCurveCurveInt3d ints = meet(arc1, arc2, {a.evalPoint(1.0), a.evalPoint(2.0)});
  ASSERT_EQ(ints.overlapCount(), 1);
  QvGeInterval r1, r2;
  ints.getOverlapRanges(0, r1, r2);
  EXPECT_NEAR(r1.lowerBound(), 1.0, 1e-14);
  EXPECT_NEAR(r1.upperBound(), 2.0, 1e-14);
  // Two full circles: one overlap without ends.
  EXPECT_EQ(meet(a, QvGeCircArc3d(QvGePoint3d(), -kZ, 5.0), {}).overlapCount(), 1);
  // An arc pair meeting end to end.
  meet(arc1, QvGeCircArc3d(QvGePoint3d(), kZ, QvGeVector3d::kXAxis, 5, 2, 3), {a.evalPoint(2.0)});
}

TEST(QvGeCurveCurveInt3d, LinesAgainstEllipsesInClosedForm) {
  // x^2/16 + y^2 = 1 and x = 2: y = +-sqrt(3)/2.
  const QvGeEllipArc3d e(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 4.0, 1.0);
  meet(QvGeLine3d(QvGePoint3d(2, 0, 0), QvGeVector3d::kYAxis), e,
       {{2, std::sqrt(3.0) / 2, 0}, {2, -std::sqrt(3.0) / 2, 0}}, 1e-15);
  EXPECT_TRUE(
      meet(QvGeLine3d(QvGePoint3d(4, 0, 0), QvGeVector3d::kYAxis), e, {{4, 0, 0}}).isTangential(0));
}

}  // namespace
