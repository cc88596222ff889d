#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScale3d.h"
#include "tests/support/CurveChecks.h"

namespace {

constexpr double kPi = QvGe::kPi;

// Perimeter of a full ellipse by the arithmetic-geometric mean (an independent closed form).
double ellipsePerimeter(double a, double b) {
  double an = std::max(a, b), bn = std::min(a, b);
  double cn = std::sqrt(an * an - bn * bn);
  double sum = 0.5 * cn * cn, power = 1.0;
  for (int i = 0; i < 40 && cn > 1e-300; ++i) {
    const double next = 0.5 * (an + bn);
    cn = 0.5 * (an - bn);
    bn = std::sqrt(an * bn);
    an = next;
    power *= 2.0;
    sum += 0.5 * power * cn * cn;
  }
  return 2.0 * kPi * (std::max(a, b) * std::max(a, b) - sum) / an;
}

TEST(QvGeCircArc3d, ThreePointArcsMatchTheAnalyticCircle) {
  // Points of the circle of radius 5 about (1, 2, 3) in the plane x + y + z = 6.
  const QvGePlane plane(QvGePoint3d(1, 2, 3), QvGeVector3d(1, 1, 1));
  auto onCircle = [&](double a) {
    return QvGePoint3d(plane, QvGePoint2d(5 * std::cos(a), 5 * std::sin(a)));
  };
  const QvGeCircArc3d arc(onCircle(0.2), onCircle(1.0), onCircle(2.5));
  ASSERT_TRUE(arc.isValid());
  EXPECT_TRUE(arc.center().isEqualTo(QvGePoint3d(1, 2, 3), QvGeTol(1e-12, 1e-12)));
  EXPECT_NEAR(arc.radius(), 5.0, 1e-13);
  EXPECT_TRUE(arc.normal().isCodirectionalTo(QvGeVector3d(1, 1, 1)));
  EXPECT_NEAR(arc.endAng() - arc.startAng(), 2.3, 1e-13);
  EXPECT_NEAR(arc.length(), 5 * 2.3, 1e-12);
  EXPECT_TRUE(arc.startPoint().isEqualTo(onCircle(0.2)));
  EXPECT_TRUE(arc.endPoint().isEqualTo(onCircle(2.5)));
  EXPECT_TRUE(arc.isOn(onCircle(1.0)));
  EXPECT_FALSE(arc.isOn(onCircle(3.0)));
  // The other way round runs about the opposite normal.
  const QvGeCircArc3d back(onCircle(2.5), onCircle(1.0), onCircle(0.2));
  EXPECT_TRUE(back.normal().isCodirectionalTo(QvGeVector3d(-1, -1, -1)));
}

TEST(QvGeCircArc3d, AnglesAreNormalised) {
  QvGeCircArc3d arc(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d::kXAxis, 2.0, 7.0, 0.5);
  EXPECT_EQ(arc.startAng(), 7.0);
  EXPECT_NEAR(arc.endAng(), 0.5 + 4 * kPi, 1e-14);  // moved after the start
  ASSERT_EQ(arc.setAngles(0.0, 2 * kPi), Vexa::eOk);
  EXPECT_TRUE(arc.isClosed());
  ASSERT_EQ(arc.setAngles(1.0, 1.0 + 4 * kPi), Vexa::eOk);  // whole turns: a full circle
  EXPECT_NEAR(arc.endAng() - arc.startAng(), 2 * kPi, 1e-15);
  // The reference vector is made perpendicular to the normal.
  ASSERT_EQ(arc.setAxes(QvGeVector3d::kZAxis, QvGeVector3d(1, 0, 1)), Vexa::eOk);
  EXPECT_TRUE(arc.refVec().isEqualTo(QvGeVector3d::kXAxis));

  // An arc without a normal is its center.
  const QvGeCircArc3d degenerate(QvGePoint3d(1, 1, 1), QvGeVector3d(), 3.0);
  EXPECT_TRUE(degenerate.evalPoint(1.0).isEqualTo(QvGePoint3d(1, 1, 1)));
}

TEST(QvGeCircArc3d, QueriesOnAnInclinedArc) {
  const QvGeCircArc3d arc(QvGePoint3d(3, -1, 2), QvGeVector3d(0.2, -0.5, 1), QvGeVector3d(1, 1, 0),
                          4.0, 0.4, 4.0);
  curvecheck::paramRoundTrip(arc);
  curvecheck::derivativesMatchDifferences(arc);
  curvecheck::lengthMatchesChords(arc);
  curvecheck::boxHoldsSamples(arc, QvGeInterval(0.4, 4.0));
  curvecheck::boxHoldsSamples(arc, QvGeInterval(1.0, 2.0));
  curvecheck::reverseKeepsPoints(arc);
  curvecheck::splitCoversCurve(arc, QvGeDoubleArray{3.0, 1.0}, 3);
  curvecheck::transformRoundTrip(arc, QvGeMatrix3d::rotation(1.0, {1, 2, 3}, {4, 5, 6}) *
                                          QvGeMatrix3d::scaling(2.5, {1, 0, 0}));
  // A point off the arc's plane: its nearest point is on the ray from the center through its
  // foot.
  const QvGePoint3d p =
      arc.evalPoint(2.0) + arc.normal() * 3.0 + (arc.evalPoint(2.0) - arc.center());
  double t;
  EXPECT_TRUE(arc.closestPointTo(p, t).isEqualTo(arc.evalPoint(2.0), QvGeTol(1e-12, 1e-12)));
  EXPECT_NEAR(t, 2.0, 1e-13);
  // Beyond the arc's ends the nearer end wins: opposite angle 2.0 is angle 2.0 + pi, nearer to
  // the end (4.0) than to the start (0.4 + 2pi).
  const QvGePoint3d opposite = arc.center() + (arc.center() - arc.evalPoint(2.0));
  EXPECT_TRUE(arc.closestPointTo(opposite).isEqualTo(arc.endPoint()));
  const QvGePoint3d nearStart = arc.center() + (arc.evalPoint(0.2) - arc.center()) * 1.5;
  EXPECT_TRUE(arc.closestPointTo(nearStart).isEqualTo(arc.startPoint()));
  // A full circle splits at two parameters into two arcs across the seam.
  const QvGeCircArc3d circle(QvGePoint3d(), QvGeVector3d::kZAxis, 1.0);
  curvecheck::splitCoversCurve(circle, QvGeDoubleArray{5.0, 1.0}, 2);
  curvecheck::splitCoversCurve(circle, QvGeDoubleArray{1.0}, 1);
}

TEST(QvGeCircArc3d, SampleDensityAndProjectedClosestPoints) {
  const QvGeCircArc3d circle(QvGePoint3d(1, 1, 1), QvGeVector3d(0, 0, 1), 10.0);
  // The library's density: chords turning at most 5 degrees and within 1/2000 of the size.
  QvGePoint3dArray pts;
  QvGeDoubleArray ts;
  circle.getSamplePoints(0.0, 2 * kPi, 0.0, pts, ts);
  ASSERT_GE(pts.length(), 73);
  for (int i = 1; i < ts.length(); ++i) {
    EXPECT_LE(ts[i] - ts[i - 1], 5.0 * kPi / 180.0 + 1e-12);
    const double mid = 0.5 * (ts[i] + ts[i - 1]);
    const QvGePoint3d chordMid = pts[i - 1] + (pts[i] - pts[i - 1]) * 0.5;
    EXPECT_LE(circle.evalPoint(mid).distanceTo(chordMid), 20.0 * std::sqrt(2.0) / 2000.0);
  }
  // A coarse value gives fewer points, within it.
  QvGePoint3dArray coarse;
  circle.getSamplePoints(0.0, 2 * kPi, 0.5, coarse);
  EXPECT_LT(coarse.length(), pts.length());
  EXPECT_TRUE(coarse.first().isEqualTo(coarse.last()));
  // Seen along Z, a point high above the rim is on the circle.
  QvGePoint3d seen;
  double t;
  ASSERT_TRUE(circle.projClosestPointTo(QvGePoint3d(1, 11, 50), QvGeVector3d(0, 0, 1), seen, t));
  EXPECT_TRUE(seen.isEqualTo(QvGePoint3d(1, 11, 1), QvGeTol(1e-9, 1e-12)));
  // Seen obliquely along (1, 0, -1) from (0, 1, 10): the line of sight meets the plane z = 1
  // at (9, 1, 1), inside the circle; in that view the nearest rim point is (11, 1, 1) (the
  // squared view distance of the rim point at angle a is 132 - 80 cos a - 50 cos^2 a).
  ASSERT_TRUE(circle.projClosestPointTo(QvGePoint3d(0, 1, 10), QvGeVector3d(1, 0, -1), seen, t));
  EXPECT_TRUE(seen.isEqualTo(QvGePoint3d(11, 1, 1), QvGeTol(1e-9, 1e-12)));
  EXPECT_FALSE(circle.projClosestPointTo(QvGePoint3d(), QvGeVector3d(), seen, t));
}

TEST(QvGeCircArc3d, TransformsKeepItCircularOrRefuse) {
  QvGeCircArc3d arc(QvGePoint3d(1, 0, 0), QvGeVector3d::kZAxis, QvGeVector3d::kXAxis, 1.0, 0.0,
                    kPi / 2);
  // A mirror turns the arc over: same points mirrored, normal reversed.
  QvGeCircArc3d mirrored = arc;
  ASSERT_EQ(mirrored.transformBy(QvGeMatrix3d::mirroring(QvGePlane::kYZPlane)), Vexa::eOk);
  EXPECT_TRUE(mirrored.normal().isEqualTo(-QvGeVector3d::kZAxis));
  EXPECT_TRUE(mirrored.startPoint().isEqualTo(QvGePoint3d(-2, 0, 0)));
  EXPECT_TRUE(mirrored.endPoint().isEqualTo(QvGePoint3d(-1, 1, 0)));
  QvGeMatrix3d stretch;
  QvGeScale3d(2, 1, 1).getMatrix(stretch);
  EXPECT_EQ(arc.transformBy(stretch), Vexa::eNotApplicable);
  EXPECT_TRUE(arc.endPoint().isEqualTo(QvGePoint3d(1, 1, 0)));
  EXPECT_EQ(arc.transformBy(QvGeMatrix3d::scaling(0.0)), Vexa::eDegenerateGeometry);
}

TEST(QvGeCircArc3d, ProjectionGivesACircleOrAnEllipse) {
  const QvGeCircArc3d arc(QvGePoint3d(0, 0, 5), QvGeVector3d(0, 1, 1), QvGeVector3d::kXAxis, 2.0,
                          0.0, 3.0);
  QvGeCurve3d* raw = nullptr;
  ASSERT_EQ(arc.orthoProject(QvGePlane::kXYPlane, raw), Vexa::eOk);
  std::unique_ptr<QvGeCurve3d> image(raw);
  ASSERT_EQ(image->type(), QvGe::kEllipArc3d);
  const auto& ellipse = static_cast<const QvGeEllipArc3d&>(*image);
  EXPECT_NEAR(ellipse.majorRadius(), 2.0, 1e-13);
  EXPECT_NEAR(ellipse.minorRadius(), 2.0 / std::sqrt(2.0), 1e-13);
  for (double t = 0.0; t <= 3.0; t += 0.25) {
    QvGePoint3d foot = arc.evalPoint(t);
    foot.z = 0.0;
    EXPECT_TRUE(image->isOn(foot, QvGeTol(1e-11, 1e-12))) << t;
  }
  EXPECT_NEAR(image->length(), QvGeEllipArc3d(ellipse).length(ellipse.startAng(), ellipse.endAng()),
              1e-12);
  // Parallel planes keep the circle.
  ASSERT_EQ(
      arc.project(QvGePlane(QvGePoint3d(), QvGeVector3d(0, 2, 2)), QvGeVector3d(0, 0, 1), raw),
      Vexa::eOk);
  image.reset(raw);
  EXPECT_EQ(image->type(), QvGe::kCircArc3d);
  // Edge-on it collapses.
  EXPECT_EQ(arc.project(QvGePlane::kXYPlane, QvGeVector3d(1, 0, 0).crossProduct(arc.normal()), raw),
            Vexa::eDegenerateGeometry);
}

TEST(QvGeEllipArc3d, LengthsAnglesAndClosestPoints) {
  const QvGeEllipArc3d full(QvGePoint3d(1, 2, 3), QvGeVector3d(1, 1, 0), QvGeVector3d(-1, 1, 0),
                            5.0, 2.0);
  EXPECT_TRUE(full.isClosed());
  EXPECT_NEAR(full.length(), ellipsePerimeter(5.0, 2.0), 1e-11 * ellipsePerimeter(5, 2));
  EXPECT_NEAR(QvGeEllipArc3d(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 100.0, 1e-3)
                  .length(),
              ellipsePerimeter(100.0, 1e-3), 1e-9 * 400);
  // paramAtAngle: the point's direction from the center makes the angle with the major axis.
  for (double angle : {0.0, 0.3, 1.5707963267948966, 2.0, 4.0, 6.0}) {
    const double t = full.paramAtAngle(angle);
    const QvGeVector3d r = full.evalPoint(t) - full.center();
    EXPECT_NEAR(full.majorAxis().angleTo(r, full.normal()), std::fmod(angle, 2 * kPi), 1e-12);
    EXPECT_NEAR(full.angleAtParam(t), angle, 1e-12);
  }
  curvecheck::paramRoundTrip(full);

  const QvGeEllipArc3d arc(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 4.0, 1.0, 0.5,
                           2.5);
  curvecheck::paramRoundTrip(arc);
  curvecheck::derivativesMatchDifferences(arc);
  curvecheck::lengthMatchesChords(arc);
  curvecheck::boxHoldsSamples(arc, QvGeInterval(0.5, 2.5));
  curvecheck::reverseKeepsPoints(arc);
  curvecheck::splitCoversCurve(arc, QvGeDoubleArray{1.0, 2.0}, 3);
  // Closest points against brute force, from inside, outside and near the axes.
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> u(-6.0, 6.0);
  for (int i = 0; i < 200; ++i) {
    const QvGePoint3d p(u(rng), u(rng) * 0.4, u(rng) * 0.1);
    double best = HUGE_VAL;
    for (int k = 0; k <= 20000; ++k)
      best = std::min(best, arc.evalPoint(0.5 + 2.0 * k / 20000).distanceTo(p));
    EXPECT_LE(arc.distanceTo(p), best + 1e-12) << p.x << " " << p.y;
    EXPECT_GE(arc.distanceTo(p), best - 1e-6);
  }
}

TEST(QvGeEllipArc3d, AffineMapsKeepTheEllipse) {
  QvGeEllipArc3d arc(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 3.0, 1.0, 0.2, 5.0);
  // Shear: the image has new principal axes, yet holds the mapped points.
  QvGeMatrix3d shear;
  shear.entry[0][1] = 0.7;
  curvecheck::transformRoundTrip(arc, shear * QvGeMatrix3d::rotation(0.4, {0, 1, 1}));
  QvGeEllipArc3d sheared = arc;
  ASSERT_EQ(sheared.transformBy(shear), Vexa::eOk);
  EXPECT_NEAR(sheared.majorAxis().dotProduct(sheared.minorAxis()), 0.0, 1e-14);
  QvGePoint3d s = arc.startPoint();
  EXPECT_TRUE(sheared.startPoint().isEqualTo(s.transformBy(shear), QvGeTol(1e-12, 1e-12)));
  // An ellipse without a plane is its center, of no length.
  const QvGeEllipArc3d bad(QvGePoint3d(2, 2, 2), QvGeVector3d::kXAxis, QvGeVector3d::kXAxis, 1, 1);
  EXPECT_EQ(bad.length(), 0.0);
  EXPECT_TRUE(bad.evalPoint(3.0).isEqualTo(QvGePoint3d(2, 2, 2)));
  // A circle seen as an ellipse gives the same points.
  const QvGeCircArc3d circle(QvGePoint3d(1, 1, 1), QvGeVector3d(1, 0, 1), QvGeVector3d::kYAxis, 2,
                             1, 2);
  const QvGeEllipArc3d same(circle);
  for (double t = 1.0; t <= 2.0; t += 0.1)
    EXPECT_TRUE(same.evalPoint(t).isEqualTo(circle.evalPoint(t)));
}

}  // namespace
