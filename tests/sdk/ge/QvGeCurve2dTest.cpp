#include <gtest/gtest.h>

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeMatrix2d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "tests/support/CurveChecks.h"

namespace {

constexpr double kPi = QvGe::kPi;

TEST(QvGeCircArc2d, ClockwiseArcsAndThreePoints) {
  // Counterclockwise and clockwise arcs through the same three points of the unit circle.
  const QvGePoint2d a(1, 0), b(0, 1), c(-1, 0);
  const QvGeCircArc2d ccw(a, b, c);
  ASSERT_TRUE(ccw.isValid());
  EXPECT_FALSE(ccw.isClockWise());
  EXPECT_TRUE(ccw.center().isEqualTo(QvGePoint2d(0, 0)));
  EXPECT_NEAR(ccw.length(), kPi, 1e-14);
  const QvGeCircArc2d cw(c, b, a);
  EXPECT_TRUE(cw.isClockWise());
  EXPECT_NEAR(cw.length(), kPi, 1e-14);
  EXPECT_TRUE(cw.isOn(QvGePoint2d(0, 1)));
  EXPECT_FALSE(cw.isOn(QvGePoint2d(0, -1)));
  EXPECT_TRUE(cw.startPoint().isEqualTo(c));
  // A clockwise arc measured from +x: angle pi/2 clockwise is (0, -1).
  const QvGeCircArc2d quarter(QvGePoint2d(), 1.0, 0.0, kPi / 2, QvGeVector2d::kXAxis, true);
  EXPECT_TRUE(quarter.endPoint().isEqualTo(QvGePoint2d(0, -1)));
  QvGeCircArc2d reversed = quarter;
  reversed.reverseParam();
  EXPECT_FALSE(reversed.isClockWise());
  EXPECT_TRUE(reversed.startPoint().isEqualTo(QvGePoint2d(0, -1)));
  curvecheck::paramRoundTrip(quarter);
  curvecheck::derivativesMatchDifferences(quarter);
  curvecheck::splitCoversCurve(quarter, QvGeDoubleArray{0.5}, 2);
  curvecheck::boxHoldsSamples(cw, QvGeInterval(0.0, kPi));
  EXPECT_FALSE(QvGeCircArc2d(a, a, c).isValid());
  QvGeCircArc2d arc;
  EXPECT_EQ(arc.setRadius(-2.0), Vexa::eInvalidInput);
  EXPECT_EQ(arc.setRefVec(QvGeVector2d()), Vexa::eInvalidInput);
  // A mirror turns the sense.
  QvGeMatrix2d mirror;
  ASSERT_TRUE(mirror.setToMirroring(QvGePoint2d(), QvGeVector2d::kXAxis));
  ASSERT_EQ(arc.transformBy(mirror), Vexa::eOk);
  EXPECT_TRUE(arc.isClockWise());
  EXPECT_EQ(arc.transformBy(QvGeMatrix2d::scaling(0.0)), Vexa::eDegenerateGeometry);
}

TEST(QvGeEllipArc2d, AgreesWithTheSameEllipseInSpace) {
  const QvGeEllipArc2d e2(QvGePoint2d(1, 2), QvGeVector2d(1, 1), QvGeVector2d(1, -1), 3.0, 1.0, 0.5,
                          4.0);
  ASSERT_TRUE(e2.isValid());
  EXPECT_TRUE(e2.isClockWise());
  const QvGeEllipArc3d e3(QvGePoint3d(1, 2, 0), QvGeVector3d(1, 1, 0), QvGeVector3d(1, -1, 0), 3.0,
                          1.0, 0.5, 4.0);
  EXPECT_NEAR(e2.length(), e3.length(), 1e-12);
  for (double t = 0.5; t <= 4.0; t += 0.25) {
    const QvGePoint2d p = e2.evalPoint(t);
    const QvGePoint3d q = e3.evalPoint(t);
    EXPECT_NEAR(p.x, q.x, 1e-14);
    EXPECT_NEAR(p.y, q.y, 1e-14);
  }
  curvecheck::paramRoundTrip(e2);
  curvecheck::lengthMatchesChords(e2);
  curvecheck::reverseKeepsPoints(e2);
  EXPECT_EQ(QvGeEllipArc2d().set(QvGePoint2d(), QvGeVector2d(1, 0), QvGeVector2d(1, 1), 2, 1),
            Vexa::eInvalidInput);
}

TEST(QvGeLineSeg2d, SegmentQueries) {
  const QvGeLineSeg2d seg(QvGePoint2d(0, 0), QvGePoint2d(6, 8));
  EXPECT_NEAR(seg.length(), 10.0, 1e-15);
  EXPECT_NEAR(seg.paramOf(QvGePoint2d(3, 4)), 0.5, 1e-15);
  EXPECT_TRUE(seg.closestPointTo(QvGePoint2d(-3, -4)).isEqualTo(QvGePoint2d(0, 0)));
  EXPECT_TRUE(seg.direction().isEqualTo(QvGeVector2d(0.6, 0.8)));
  curvecheck::splitCoversCurve(seg, QvGeDoubleArray{0.25, 0.5}, 3);
  curvecheck::reverseKeepsPoints(seg);
}

TEST(QvGeNurbCurve2d, SameAlgorithmsAsInSpace) {
  const QvGePoint2dArray pts2{{0, 0}, {1, 2}, {3, 3}, {4, 0}, {6, 1}};
  QvGePoint3dArray pts3;
  for (const QvGePoint2d& p : pts2) pts3.append(QvGePoint3d(p.x, p.y, 0));
  const QvGeDoubleArray knots{0, 0, 0, 1, 2, 3, 3, 3};
  const QvGeDoubleArray weights{1, 2, 0.5, 1, 1};
  const QvGeNurbCurve2d c2(2, knots, pts2, weights);
  const QvGeNurbCurve3d c3(2, knots, pts3, weights);
  ASSERT_TRUE(c2.isValid());
  for (double t = 0.0; t <= 3.0; t += 0.1) {
    EXPECT_NEAR(c2.evalPoint(t).x, c3.evalPoint(t).x, 1e-14);
    EXPECT_NEAR(c2.evalPoint(t).y, c3.evalPoint(t).y, 1e-14);
  }
  EXPECT_NEAR(c2.length(), c3.length(), 1e-12);
  curvecheck::paramRoundTrip(c2);
  curvecheck::derivativesMatchDifferences(c2);
  curvecheck::splitCoversCurve(c2, QvGeDoubleArray{0.5, 2.2}, 3);
  const QvGeNurbCurve2d fit(pts2);
  for (const QvGePoint2d& p : pts2) EXPECT_LE(fit.distanceTo(p), 1e-10);
  QvGeNurbCurve2d moved = c2;
  ASSERT_EQ(moved.transformBy(QvGeMatrix2d::rotation(kPi / 2)), Vexa::eOk);
  const QvGePoint2d p = c2.evalPoint(1.3), q = moved.evalPoint(1.3);
  EXPECT_NEAR(q.x, -p.y, 1e-13);
  EXPECT_NEAR(q.y, p.x, 1e-13);
}

}  // namespace
