#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeCurveCurveInt2d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "tests/sdk/ge/IntersectionPairs.h"

namespace {

constexpr double kPi = QvGe::kPi;

QvGeNurbCurve3d wavyCurve(unsigned seed, double zScale = 0.0) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-5.0, 5.0);
  QvGePoint3dArray fit;
  for (int i = 0; i < 9; ++i) fit.append(QvGePoint3d(i * 1.5 - 6.0, u(rng), u(rng) * zScale));
  return QvGeNurbCurve3d(fit);
}

// The same curve as a fine polyline (for an independent count of crossings).
QvGePolyline3d finePolyline(const QvGeCurve3d& c, int n) {
  QvGePoint3dArray pts;
  c.getSamplePoints(n, pts);
  return QvGePolyline3d(pts);
}

TEST(QvGeCurveCurveInt3d, EllipseAndCircleMatchTheAnalyticPoints) {
  // x^2/a^2 + y^2/b^2 = 1 and x^2 + y^2 = r^2 with b < r < a: x^2 = a^2 (r^2 - b^2)/(a^2 - b^2).
  const double a = 5.0, b = 2.0, r = 3.0;
  const QvGeEllipArc3d e(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, a, b);
  const QvGeCircArc3d c(QvGePoint3d(), QvGeVector3d::kZAxis, r);
  const double x = a * std::sqrt((r * r - b * b) / (a * a - b * b));
  const double y = std::sqrt(r * r - x * x);
  const QvGeCurveCurveInt3d ints =
      meet(e, c, {{x, y, 0}, {-x, y, 0}, {x, -y, 0}, {-x, -y, 0}}, 1e-12, 1e-12);
  for (int i = 0; i < ints.numIntPoints(); ++i) EXPECT_EQ(ints.intConfig(i), QvGe::kIntCrossing);
  // Touching at the ends of the minor axis.
  const QvGeCircArc3d inner(QvGePoint3d(), QvGeVector3d::kZAxis, b);
  const QvGeCurveCurveInt3d touch(e, inner);
  // Tangent points are located to about the square root of the tolerance.
  intcheck::expectPoints(touch, {{0, b, 0}, {0, -b, 0}}, 1e-4);
  for (int i = 0; i < touch.numIntPoints(); ++i) EXPECT_TRUE(touch.isTangential(i));
}

TEST(QvGeCurveCurveInt3d, NurbsCirclesAgreeWithExactCircles) {
  const QvGeCircArc3d a(QvGePoint3d(), QvGeVector3d::kZAxis, 5.0);
  const QvGeCircArc3d b(QvGePoint3d(8, 0, 0), QvGeVector3d::kZAxis, 5.0);
  const QvGeNurbCurve3d na(a), nb(b);
  meet(na, nb, {{4, 3, 0}, {4, -3, 0}}, 1e-12, 1e-12);
  // Against a line, and against the exact circle carrying a shifted copy.
  meet(na, QvGeLineSeg3d(QvGePoint3d(-10, 3, 0), QvGePoint3d(10, 3, 0)), {{-4, 3, 0}, {4, 3, 0}},
       1e-12);
  meet(nb, a, {{4, 3, 0}, {4, -3, 0}}, 1e-12);
  // Tangent line.
  const QvGeCurveCurveInt3d tangent(na, QvGeLine3d(QvGePoint3d(0, 5, 0), QvGeVector3d::kXAxis));
  intcheck::expectPoints(tangent, {{0, 5, 0}}, 1e-4);
  EXPECT_TRUE(tangent.isTangential(0));
}

TEST(QvGeCurveCurveInt3d, RandomNurbsPairsAgreeWithFinePolylines) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    const QvGeNurbCurve3d a = wavyCurve(seed);
    QvGeNurbCurve3d b = wavyCurve(seed + 100);
    b.transformBy(QvGeMatrix3d::rotation(kPi / 2, QvGeVector3d::kZAxis));
    const QvGeCurveCurveInt3d ints(a, b);
    ASSERT_EQ(ints.status(), Vexa::eOk);
    intcheck::expectConsistent(ints, 1e-12);
    intcheck::expectSymmetric(a, b);
    // Fine polylines cross about where the curves do.
    const QvGePolyline3d pa = finePolyline(a, 4000), pb = finePolyline(b, 4000);
    const QvGeCurveCurveInt3d approx(pa, pb);
    ASSERT_EQ(approx.numIntPoints(), ints.numIntPoints());
    for (int i = 0; i < ints.numIntPoints(); ++i) {
      double best = HUGE_VAL;
      for (int k = 0; k < approx.numIntPoints(); ++k)
        best = std::min(best, approx.intPoint(k).distanceTo(ints.intPoint(i)));
      EXPECT_LT(best, 1e-3);
    }
  }
}

TEST(QvGeCurveCurveInt3d, CurvesInSpaceMeetOnlyWhereTheyTouch) {
  // A curve in space and its shadow cross only where the curve comes down to the plane.
  const QvGeNurbCurve3d spatial = wavyCurve(3, 0.5);
  QvGeCurve3d* raw = nullptr;
  ASSERT_EQ(spatial.orthoProject(QvGePlane::kXYPlane, raw), Vexa::eOk);
  std::unique_ptr<QvGeCurve3d> shadow(raw);
  const QvGeCurveCurveInt3d ints(spatial, *shadow);
  intcheck::expectConsistent(ints, 1e-12);
  for (int i = 0; i < ints.numIntPoints(); ++i) EXPECT_NEAR(ints.intPoint(i).z, 0.0, 1e-10);
  // Seen from above they coincide everywhere: one overlap over the whole curve.
  const QvGeCurveCurveInt3d seen(spatial, *shadow, QvGePlane::kXYPlane);
  ASSERT_EQ(seen.overlapCount(), 1);
  QvGeInterval r1, r2;
  seen.getOverlapRanges(0, r1, r2);
  EXPECT_NEAR(r1.lowerBound(), spatial.startParam(), 1e-9);
  EXPECT_NEAR(r1.upperBound(), spatial.endParam(), 1e-9);
}

TEST(QvGeCurveCurveInt3d, OverlappingNurbsCurvesGiveTheCommonPiece) {
  const QvGeNurbCurve3d whole = wavyCurve(7);
  std::unique_ptr<QvGeCurve3d> part(whole.getTrimmedCurve(0.3, 0.6));
  ASSERT_TRUE(part);
  const QvGeCurveCurveInt3d ints(whole, *part);
  ASSERT_EQ(ints.overlapCount(), 1);
  QvGeInterval r1, r2;
  ints.getOverlapRanges(0, r1, r2);
  EXPECT_NEAR(r1.lowerBound(), 0.3, 1e-8);
  EXPECT_NEAR(r1.upperBound(), 0.6, 1e-8);
  EXPECT_NEAR(r2.lowerBound(), 0.3, 1e-8);
  EXPECT_NEAR(r2.upperBound(), 0.6, 1e-8);
  ASSERT_EQ(ints.numIntPoints(), 2);
  EXPECT_EQ(ints.intConfig(0), QvGe::kIntOverlapEnd);
  intcheck::expectConsistent(ints, 1e-8);
}

TEST(QvGeCurveCurveInt3d, PolylinesAndCompositesReportJointsOnce) {
  const QvGePolyline3d zigzag(QvGePoint3dArray{{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}});
  // Through the vertex (1, 1): one point, not one per segment.
  const QvGeLineSeg3d across(QvGePoint3d(1, -1, 0), QvGePoint3d(1, 3, 0));
  QvGeCurveCurveInt3d ints = meet(zigzag, across, {{1, 1, 0}});
  double p1, p2;
  ints.getIntParams(0, p1, p2);
  EXPECT_NEAR(p1, 1.0, 1e-15);
  // Along the horizontal y = 0.5: three crossings at the right parameters.
  meet(zigzag, QvGeLine3d(QvGePoint3d(0, 0.5, 0), QvGeVector3d::kXAxis),
       {{0.5, 0.5, 0}, {1.5, 0.5, 0}, {2.5, 0.5, 0}});

  // A closed composite: a ray through its start vertex meets it once there.
  QvGeLineSeg3d s1(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0));
  QvGeCircArc3d s2(QvGePoint3d(4, 2, 0), QvGeVector3d::kZAxis, QvGeVector3d(0, -1, 0), 2, 0, kPi);
  QvGeLineSeg3d s3(QvGePoint3d(4, 4, 0), QvGePoint3d(0, 4, 0));
  QvGeLineSeg3d s4(QvGePoint3d(0, 4, 0), QvGePoint3d(0, 0, 0));
  const QvGeCompositeCurve3d loop(QvArray<QvGeCurve3d*>{&s1, &s2, &s3, &s4});
  ASSERT_TRUE(loop.isClosed());
  // It leaves through the corner (4, 4), where the arc ends and the top begins: once.
  meet(loop, QvGeRay3d(QvGePoint3d(-1, -1, 0), QvGeVector3d(1, 1, 0)), {{0, 0, 0}, {4, 4, 0}},
       1e-12);
  // A segment lying along two sides of the loop overlaps each; the common corner is shared.
  const QvGeLineSeg3d side(QvGePoint3d(2, 4, 0), QvGePoint3d(-1, 4, 0));
  EXPECT_EQ(meet(loop, side, {{2, 4, 0}, {0, 4, 0}}).overlapCount(), 1);
}

TEST(QvGeCurveCurveInt3d, ProjectedIntersections) {
  // Two segments that pass over each other at different heights.
  const QvGeLineSeg3d low(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 4, 0));
  const QvGeLineSeg3d high(QvGePoint3d(0, 4, 5), QvGePoint3d(4, 0, 9));
  EXPECT_EQ(QvGeCurveCurveInt3d(low, high).numIntPoints(), 0);
  const QvGePlane floor(QvGePoint3d(0, 0, -1), QvGeVector3d::kZAxis);
  QvGeCurveCurveInt3d seen(low, high, floor);
  ASSERT_EQ(seen.numIntPoints(), 1);
  EXPECT_TRUE(seen.intPoint(0).isEqualTo(QvGePoint3d(2, 2, -1)));
  EXPECT_TRUE(seen.pointOnCurve2(0).isEqualTo(QvGePoint3d(2, 2, 7)));
  double p1, p2;
  seen.getIntParams(0, p1, p2);
  EXPECT_NEAR(p1, 0.5, 1e-14);
  EXPECT_NEAR(p2, 0.5, 1e-14);
  intcheck::expectConsistent(seen);

  // A tilted circle seen from above is an ellipse: a vertical ray through its rim meets it.
  const QvGeCircArc3d tilted(QvGePoint3d(), QvGeVector3d(1, 0, 1), QvGeVector3d::kYAxis, 2, 0.5,
                             3.0);
  const QvGeLineSeg3d probe(QvGePoint3d(-5, 1, 3), QvGePoint3d(5, 1, 3));
  seen.set(tilted, probe, QvGePlane::kXYPlane);
  intcheck::expectConsistent(seen, 1e-10);
  ASSERT_EQ(seen.numIntPoints(), 1);  // the arc covers one side only
  const QvGePoint3d onArc = seen.pointOnCurve1(0);
  EXPECT_NEAR(onArc.y, 1.0, 1e-10);
  EXPECT_TRUE(tilted.isOn(onArc));
  // Edge-on, a circle still meets what crosses its shadow.
  const QvGeCircArc3d edgeOn(QvGePoint3d(), QvGeVector3d::kXAxis, 2.0);
  seen.set(edgeOn, QvGeLineSeg3d(QvGePoint3d(-1, 1, 9), QvGePoint3d(1, 1, 9)), QvGePlane::kXYPlane);
  ASSERT_EQ(seen.status(), Vexa::eOk);
  ASSERT_EQ(seen.numIntPoints(), 2);  // above and below the XY plane
  for (int i = 0; i < 2; ++i) EXPECT_NEAR(seen.pointOnCurve1(i).y, 1.0, 1e-9);
}

TEST(QvGeCurveCurveInt3d, ResultsDoNotDependOnWhereTheDrawingLies) {
  // The same scene moved far from the origin, where one unit in the last place of a coordinate
  // reaches 1e-9: every pair meets as often as at home.
  for (double offset : {1e6, 1e7}) {
    SCOPED_TRACE(offset);
    const QvGeMatrix3d far = QvGeMatrix3d::translation({offset, -offset, offset * 0.1});
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int k = 0; k < 20; ++k) {
      QvGePoint3dArray pa, pb;
      for (int i = 0; i < 8; ++i) {
        pa.append(QvGePoint3d(i, u(rng), 0));
        pb.append(QvGePoint3d(u(rng) + 3, i, 0));
      }
      QvGeNurbCurve3d a(pa), b(pb);
      const QvGeCircArc3d c(QvGePoint3d(u(rng), u(rng), 0), QvGeVector3d::kZAxis, 2.5);
      const QvGeCircArc3d d(QvGePoint3d(u(rng), u(rng), 0), QvGeVector3d::kZAxis, 2.0);
      const int homeNurbs = QvGeCurveCurveInt3d(a, b).numIntPoints();
      const int homeArcs = QvGeCurveCurveInt3d(c, d).numIntPoints();
      QvGeCircArc3d farC = c, farD = d;
      a.transformBy(far);
      b.transformBy(far);
      farC.transformBy(far);
      farD.transformBy(far);
      EXPECT_EQ(QvGeCurveCurveInt3d(a, b).numIntPoints(), homeNurbs);
      EXPECT_EQ(QvGeCurveCurveInt3d(farC, farD).numIntPoints(), homeArcs);
      // Points of the curve are on it.
      EXPECT_TRUE(a.isOn(a.evalPoint(0.345)));
    }
  }
}

TEST(QvGeCurveCurveInt2d, PlaneCurvesUseTheSameMethods) {
  // A clockwise arc across a segment.
  const QvGeCircArc2d cw(QvGePoint2d(-1, 0), QvGePoint2d(0, 1), QvGePoint2d(1, 0));
  const QvGeLineSeg2d seg(QvGePoint2d(0, -2), QvGePoint2d(0, 2));
  QvGeCurveCurveInt2d ints(cw, seg);
  ASSERT_EQ(ints.numIntPoints(), 1);
  double p1, p2;
  ints.getIntParams(0, p1, p2);
  EXPECT_TRUE(cw.evalPoint(p1).isEqualTo(QvGePoint2d(0, 1)));
  // An ellipse and a spline.
  const QvGeEllipArc2d e(QvGePoint2d(), QvGeVector2d(1, 0), QvGeVector2d(0, 1), 4, 1);
  const QvGeNurbCurve2d s(QvGePoint2dArray{{-6, -2}, {-2, 2}, {2, -2}, {6, 2}});
  ints.set(e, s);
  ASSERT_EQ(ints.status(), Vexa::eOk);
  ASSERT_GE(ints.numIntPoints(), 2);
  for (int i = 0; i < ints.numIntPoints(); ++i) {
    EXPECT_LE(e.distanceTo(ints.intPoint(i)), 1e-9);
    EXPECT_LE(s.distanceTo(ints.intPoint(i)), 1e-9);
  }
  const QvGeNurbCurve2d bad(2, QvGeDoubleArray{0, 0, 0, 1, 1}, QvGePoint2dArray{{0, 0}, {1, 1}});
  ints.set(bad, seg);
  EXPECT_EQ(ints.status(), Vexa::eInvalidInput);
}

}  // namespace
