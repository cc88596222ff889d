#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/support/CurveChecks.h"
#include "tests/support/IntersectionChecks.h"

namespace {

constexpr double kPi = QvGe::kPi;

// A random cubic (optionally rational) with clamped uniform knots, from a fixed seed.
QvGeNurbCurve3d randomCurve(unsigned seed, int numCtrl, bool rational) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-10.0, 10.0), w(0.5, 2.0);
  const int degree = 3;
  QvGePoint3dArray pts;
  QvGeDoubleArray weights, knots;
  for (int i = 0; i < numCtrl; ++i) {
    pts.append(QvGePoint3d(u(rng), u(rng), u(rng) * 0.3));
    if (rational) weights.append(w(rng));
  }
  for (int i = 0; i <= degree; ++i) knots.append(0.0);
  for (int i = 1; i < numCtrl - degree; ++i) knots.append(i);
  for (int i = 0; i <= degree; ++i) knots.append(numCtrl - degree);
  return QvGeNurbCurve3d(degree, knots, pts, weights);
}

void expectSameGeometry(const QvGeCurve3d& a, const QvGeCurve3d& b, double tol) {
  QvGePoint3dArray pts;
  a.getSamplePoints(200, pts);
  for (const QvGePoint3d& p : pts) EXPECT_LE(b.distanceTo(p), tol);
  pts.removeAll();
  b.getSamplePoints(200, pts);
  for (const QvGePoint3d& p : pts) EXPECT_LE(a.distanceTo(p), tol);
}

TEST(QvGeNurbCurve3d, ExactCircleAgreesWithTheArc) {
  const QvGeCircArc3d arc(QvGePoint3d(1, 2, 3), QvGeVector3d(1, -1, 2), QvGeVector3d(1, 1, 0), 7.0,
                          0.3, 5.9);
  const QvGeNurbCurve3d nurbs(arc);
  ASSERT_TRUE(nurbs.isValid());
  EXPECT_TRUE(nurbs.isRational());
  EXPECT_EQ(nurbs.degree(), 2);
  EXPECT_EQ(nurbs.startParam(), 0.3);
  EXPECT_EQ(nurbs.endParam(), 5.9);
  EXPECT_TRUE(nurbs.evalPoint(0.3).isEqualTo(arc.startPoint()));
  EXPECT_TRUE(nurbs.evalPoint(5.9).isEqualTo(arc.endPoint()));
  EXPECT_NEAR(nurbs.length(), 7.0 * 5.6, 1e-9 * 7.0 * 5.6);
  curvecheck::paramRoundTrip(nurbs);
  curvecheck::derivativesMatchDifferences(nurbs);
  expectSameGeometry(nurbs, arc, 1e-11);

  const QvGeEllipArc3d ellipse(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 4, 1);
  const QvGeNurbCurve3d exactEllipse(ellipse);
  EXPECT_NEAR(exactEllipse.length(), ellipse.length(), 1e-9 * ellipse.length());
  EXPECT_TRUE(exactEllipse.isClosed());
  expectSameGeometry(exactEllipse, ellipse, 1e-11);

  const QvGeLineSeg3d seg(QvGePoint3d(1, 1, 1), QvGePoint3d(4, 5, 1));
  const QvGeNurbCurve3d line(seg);
  EXPECT_FALSE(line.isRational());
  EXPECT_NEAR(line.length(), 5.0, 1e-14);
  EXPECT_TRUE(line.evalPoint(0.5).isEqualTo(seg.midPoint()));
}

TEST(QvGeNurbCurve3d, InvalidDefinitionDataIsRefused) {
  const QvGePoint3dArray pts{{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}};
  const QvGeDoubleArray goodKnots{0, 0, 0, 0.5, 1, 1, 1};
  QvGeNurbCurve3d curve(2, goodKnots, pts);
  ASSERT_TRUE(curve.isValid());
  const QvGePoint3d mid = curve.evalPoint(0.5);

  // Besides the bad data of QvGeBadInputTest's curve table: a refusal keeps the curve.
  EXPECT_EQ(curve.set(2, QvGeDoubleArray{0, 0, 0, 1, 1, 1}, pts), Vexa::eInvalidInput);  // count
  EXPECT_EQ(curve.set(1, QvGeDoubleArray{0, 0, 0.5, 0.5, 1, 1}, pts), Vexa::eInvalidInput);
  EXPECT_EQ(curve.set(4, QvGeDoubleArray{0, 0, 0, 0, 0, 1, 1, 1, 1}, pts), Vexa::eInvalidInput);
  EXPECT_EQ(
      curve.set(2, goodKnots, QvGePoint3dArray{{0, 0, 0}, {1, HUGE_VAL, 0}, {2, 0, 0}, {3, 1, 0}}),
      Vexa::eInvalidInput);
  // A knot repeated more than degree + 1 times at an end leaves an empty span.
  EXPECT_EQ(curve.set(1, QvGeDoubleArray{0, 0, 0, 0.5, 1, 1}, pts), Vexa::eInvalidInput);
  EXPECT_TRUE(curve.isValid());
  EXPECT_TRUE(curve.evalPoint(0.5).isEqualTo(mid));

  const QvGeNurbCurve3d broken(2, goodKnots, pts, QvGeDoubleArray{1, 0, 1, 1});
  EXPECT_EQ(broken.length(), 0.0);
  QvGeNurbCurve3d extension;
  EXPECT_EQ(broken.getExtendSegment(false, extension), Vexa::eInvalidInput);
  QvGePoint3d out;
  QvGeVector3dArray derivs;
  EXPECT_EQ(broken.evaluate(0.3, 1, out, derivs), Vexa::eDegenerateGeometry);
  EXPECT_EQ(curve.evaluate(1.5, 1, out, derivs), Vexa::eOutOfRange);

  // Too few or repeated fit points.
  EXPECT_EQ(curve.setFitData(QvGePoint3dArray{{1, 1, 1}}), Vexa::eInvalidInput);
  EXPECT_EQ(curve.setFitData(QvGePoint3dArray{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {2, 1, 0}}),
            Vexa::eInvalidInput);
  EXPECT_TRUE(curve.evalPoint(0.5).isEqualTo(mid));
}

TEST(QvGeNurbCurve3d, DefinitionDataRoundTrip) {
  const QvGeNurbCurve3d a = randomCurve(3, 9, true);
  int degree;
  bool rational, periodic;
  QvGeDoubleArray knots, weights;
  QvGePoint3dArray pts;
  a.getDefinitionData(degree, rational, periodic, knots, pts, weights);
  EXPECT_EQ(degree, 3);
  EXPECT_TRUE(rational);
  EXPECT_EQ(pts.length(), 9);
  EXPECT_EQ(weights.length(), 9);
  EXPECT_EQ(knots.length(), 13);
  const QvGeNurbCurve3d b(degree, knots, pts, weights, periodic);
  for (double t = 0.0; t <= 6.0; t += 0.37) EXPECT_TRUE(a.evalPoint(t).isEqualTo(b.evalPoint(t)));
  const QvGeNurbCurve3d plain = randomCurve(3, 9, false);
  plain.getDefinitionData(degree, rational, periodic, knots, pts, weights);
  EXPECT_FALSE(rational);
  EXPECT_TRUE(weights.isEmpty());
}

TEST(QvGeNurbCurve3d, RandomCurvesKeepTheCurveInvariants) {
  for (unsigned seed : {1u, 2u, 5u, 9u}) {
    SCOPED_TRACE(seed);
    const QvGeNurbCurve3d c = randomCurve(seed, 8 + static_cast<int>(seed), seed % 2 == 1);
    curvecheck::paramRoundTrip(c, 29);
    curvecheck::derivativesMatchDifferences(c);
    curvecheck::lengthMatchesChords(c);
    curvecheck::boxHoldsSamples(c, QvGeInterval(0.3, 2.9));
    curvecheck::reverseKeepsPoints(c);
    curvecheck::splitCoversCurve(c, QvGeDoubleArray{0.77, 2.0, 3.5}, 4);
    curvecheck::transformRoundTrip(
        c, QvGeMatrix3d::rotation(0.7, {1, 0, 1}) * QvGeMatrix3d::translation({3, 4, 5}));
  }
}

TEST(QvGeNurbCurve3d, ClosestPointsBeatBruteForce) {
  const QvGeNurbCurve3d c = randomCurve(21, 12, true);
  std::mt19937 rng(4);
  std::uniform_real_distribution<double> u(-12.0, 12.0);
  for (int i = 0; i < 60; ++i) {
    const QvGePoint3d p(u(rng), u(rng), u(rng) * 0.3);
    double best = HUGE_VAL;
    for (int k = 0; k <= 40000; ++k)
      best = std::min(best, c.evalPoint(9.0 * k / 40000).distanceTo(p));
    EXPECT_LE(c.distanceTo(p), best + 1e-12);
    EXPECT_GE(c.distanceTo(p), best - 1e-4);
  }
}

TEST(QvGeNurbCurve3d, SplitThenRejoinGivesTheSameCurve) {
  const QvGeNurbCurve3d c = randomCurve(8, 10, true);
  QvArray<QvGeCurve3d*> pieces;
  ASSERT_EQ(c.getSplitCurves(QvGeDoubleArray{1.5, 4.0, 4.0 + 1e-14, 6.2}, pieces), Vexa::eOk);
  ASSERT_EQ(pieces.length(), 4);  // the near duplicate is merged
  std::vector<std::unique_ptr<QvGeCurve3d>> owned(pieces.begin(), pieces.end());
  QvGeNurbCurve3d joined(*static_cast<QvGeNurbCurve3d*>(owned[0].get()));
  for (size_t i = 1; i < owned.size(); ++i)
    ASSERT_EQ(joined.joinWith(*static_cast<QvGeNurbCurve3d*>(owned[i].get())), Vexa::eOk);
  EXPECT_EQ(joined.startParam(), c.startParam());
  EXPECT_NEAR(joined.endParam(), c.endParam(), 1e-12);
  for (double t = 0.0; t <= 7.0; t += 0.01)
    EXPECT_LE(joined.evalPoint(t).distanceTo(c.evalPoint(t)), 1e-11) << t;
  // Knot insertion keeps the shape too.
  QvGeNurbCurve3d refined = c;
  ASSERT_EQ(refined.insertKnot(2.5), Vexa::eOk);
  ASSERT_EQ(refined.insertKnot(2.5), Vexa::eOk);
  EXPECT_EQ(refined.numControlPoints(), c.numControlPoints() + 2);
  for (double t = 0.0; t <= 7.0; t += 0.05)
    EXPECT_LE(refined.evalPoint(t).distanceTo(c.evalPoint(t)), 1e-11);
  EXPECT_EQ(refined.insertKnot(9.0), Vexa::eOutOfRange);
  ASSERT_EQ(refined.insertKnot(2.5), Vexa::eOk);
  EXPECT_EQ(refined.insertKnot(2.5), Vexa::eInvalidInput);  // already degree times
  // Joining needs a shared point.
  QvGeNurbCurve3d first = c;
  EXPECT_EQ(first.joinWith(c), Vexa::eNotApplicable);
}

TEST(QvGeNurbCurve3d, InterpolationPassesThroughFitPoints) {
  QvGePoint3dArray fit;
  for (int i = 0; i <= 12; ++i) fit.append(QvGePoint3d(i, std::sin(i * 0.7) * 3, i * 0.1));
  const QvGeNurbCurve3d c(fit);
  ASSERT_TRUE(c.isValid());
  ASSERT_TRUE(c.hasFitData());
  EXPECT_EQ(c.numFitPoints(), 13);
  for (const QvGePoint3d& p : fit) EXPECT_LE(c.distanceTo(p), 1e-10);
  EXPECT_TRUE(c.evalPoint(c.startParam()).isEqualTo(fit.first()));
  EXPECT_TRUE(c.evalPoint(c.endParam()).isEqualTo(fit.last()));
  QvGePoint3d p;
  EXPECT_TRUE(c.getFitPointAt(3, p));
  EXPECT_FALSE(c.getFitPointAt(13, p));

  // End tangents are honoured in direction.
  const QvGeVector3d startTan(0, 1, 0), endTan(1, -1, 0);
  const QvGeNurbCurve3d tangent(fit, 3, startTan, endTan);
  ASSERT_TRUE(tangent.isValid());
  QvGeVector3d d[1];
  tangent.evalDerivatives(tangent.startParam(), 1, p, d);
  EXPECT_TRUE(d[0].isCodirectionalTo(startTan, QvGeTol(1e-9, 1e-9)));
  tangent.evalDerivatives(tangent.endParam(), 1, p, d);
  EXPECT_TRUE(d[0].isCodirectionalTo(endTan, QvGeTol(1e-9, 1e-9)));
  for (const QvGePoint3d& q : fit) EXPECT_LE(tangent.distanceTo(q), 1e-10);

  // Many points solve through the band solver; two points give a line.
  QvGePoint3dArray many;
  for (int i = 0; i < 3000; ++i) many.append(QvGePoint3d(i * 0.01, std::cos(i * 0.01), 0));
  const QvGeNurbCurve3d big(many);
  ASSERT_TRUE(big.isValid());
  EXPECT_LE(big.distanceTo(many[1234]), 1e-9);
  const QvGeNurbCurve3d two(QvGePoint3dArray{{0, 0, 0}, {3, 4, 0}});
  EXPECT_EQ(two.degree(), 1);
  EXPECT_NEAR(two.length(), 5.0, 1e-14);
  // A fit curve moves with its fit points.
  QvGeNurbCurve3d moved = c;
  moved.transformBy(QvGeMatrix3d::translation({0, 0, 10}));
  moved.getFitPointAt(0, p);
  EXPECT_TRUE(p.isEqualTo(fit[0] + QvGeVector3d(0, 0, 10)));
}

TEST(QvGeNurbCurve3d, ExtensionSegmentsContinueTheEndSpans) {
  const QvGeNurbCurve3d c = randomCurve(12, 7, true);
  for (bool atStart : {true, false}) {
    SCOPED_TRACE(atStart);
    QvGeNurbCurve3d ext;
    ASSERT_EQ(c.getExtendSegment(atStart, ext), Vexa::eOk);
    const double joint = atStart ? c.startParam() : c.endParam();
    const double extJoint = atStart ? ext.endParam() : ext.startParam();
    QvGePoint3d p, q;
    QvGeVector3d dc[2], de[2];
    c.evalDerivatives(joint, 2, p, dc);
    ext.evalDerivatives(extJoint, 2, q, de);
    EXPECT_TRUE(p.isEqualTo(q, QvGeTol(1e-10, 1e-12)));
    EXPECT_LE((dc[0] - de[0]).length(), 1e-9 * dc[0].length());
    EXPECT_LE((dc[1] - de[1]).length(), 1e-8 * std::max(1.0, dc[1].length()));
    // It is the same polynomial the curve's evaluation continues with.
    const double outside = atStart ? ext.startParam() * 0.5 + ext.endParam() * 0.5
                                   : ext.endParam() * 0.5 + ext.startParam() * 0.5;
    EXPECT_LE(ext.evalPoint(outside).distanceTo(c.evalPoint(outside)), 1e-9);
    // One span width beyond the curve.
    EXPECT_NEAR(ext.endParam() - ext.startParam(), 1.0, 1e-15);
  }
  // A straight cubic extends straight.
  const QvGeNurbCurve3d straight(3, QvGeDoubleArray{0, 0, 0, 0, 1, 1, 1, 1},
                                 QvGePoint3dArray{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
  QvGeNurbCurve3d ext;
  ASSERT_EQ(straight.getExtendSegment(false, ext), Vexa::eOk);
  EXPECT_TRUE(ext.evalPoint(ext.endParam()).isEqualTo(QvGePoint3d(6, 6, 6)));
}

TEST(QvGeNurbCurve3d, ClosedCurvesSplitAcrossTheSeam) {
  const QvGeNurbCurve3d circle(QvGeCircArc3d(QvGePoint3d(), QvGeVector3d::kZAxis, 2.0));
  ASSERT_TRUE(circle.isClosed());
  curvecheck::splitCoversCurve(circle, QvGeDoubleArray{1.0, 4.0}, 2);
  std::unique_ptr<QvGeCurve3d> wrap(circle.getTrimmedCurve(5.0, 5.0 + 2.0));
  ASSERT_TRUE(wrap);
  QvGePoint3d s, e;
  wrap->hasStartPoint(s);
  wrap->hasEndPoint(e);
  EXPECT_TRUE(s.isEqualTo(circle.evalPoint(5.0)));
  EXPECT_TRUE(e.isEqualTo(circle.evalPoint(2.0 + 5.0 - 2 * kPi)));
  // An open curve refuses ranges beyond its domain.
  const QvGeNurbCurve3d open = randomCurve(2, 6, false);
  EXPECT_EQ(open.getTrimmedCurve(1.0, 3.5), nullptr);
  EXPECT_EQ(open.getTrimmedCurve(2.0, 1.0), nullptr);
}

TEST(QvGeNurbCurve3d, PeriodicCurvesWrapAndSplitAcrossTheSeam) {
  // A periodic cubic over a hexagon: nine control points, the first three repeated at the end,
  // uniform knots.
  QvGePoint3dArray pts;
  for (int i = 0; i < 9; ++i) {
    const double a = (i % 6) * kPi / 3;
    pts.append(QvGePoint3d(std::cos(a), std::sin(a), 0));
  }
  QvGeDoubleArray knots;
  for (int i = 0; i < 13; ++i) knots.append(i);
  const QvGeNurbCurve3d c(3, knots, pts, QvGeDoubleArray(), true);
  ASSERT_TRUE(c.isValid());
  EXPECT_TRUE(c.isClosed());
  double period = 0.0;
  ASSERT_TRUE(c.isPeriodic(period));
  EXPECT_EQ(period, 6.0);
  EXPECT_TRUE(c.evalPoint(3.5).isEqualTo(c.evalPoint(9.5)));
  EXPECT_TRUE(c.evalPoint(3.5).isEqualTo(c.evalPoint(-2.5)));
  // Smooth at the seam: derivatives from both sides agree.
  QvGePoint3d p;
  QvGeVector3d atStart[2], atEnd[2];
  c.evalDerivatives(3.0, 2, p, atStart);
  c.evalDerivatives(9.0 - 1e-12, 2, p, atEnd);
  EXPECT_LE((atStart[0] - atEnd[0]).length(), 1e-9);
  curvecheck::splitCoversCurve(c, QvGeDoubleArray{4.0, 8.5}, 2);
  curvecheck::paramRoundTrip(c);
  // A line through the middle meets it twice, once on each side.
  const QvGeLineSeg3d across(QvGePoint3d(-2, -0.6, 0), QvGePoint3d(2, 0.6, 0));
  const QvGeCurveCurveInt3d ints(c, across);
  EXPECT_EQ(ints.numIntPoints(), 2);
  intcheck::expectConsistent(ints, 1e-12);
}

TEST(QvGeNurbCurve3d, ProjectionIsExact) {
  const QvGeNurbCurve3d c = randomCurve(30, 8, true);
  QvGeCurve3d* raw = nullptr;
  const QvGePlane plane(QvGePoint3d(0, 0, -2), QvGeVector3d(0.1, 0.2, 1));
  const QvGeVector3d dir(0.3, 0, -1);
  ASSERT_EQ(c.project(plane, dir, raw), Vexa::eOk);
  std::unique_ptr<QvGeCurve3d> image(raw);
  for (double t = 0.0; t <= 5.0; t += 0.1) {
    QvGePoint3d expected;
    ASSERT_TRUE(c.evalPoint(t).project(plane, dir, expected));
    EXPECT_TRUE(image->evalPoint(t).isEqualTo(expected, QvGeTol(1e-10, 1e-12)));
  }
  const QvGeNurbCurve3d straight(QvGeLineSeg3d(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 5)));
  EXPECT_EQ(straight.orthoProject(QvGePlane::kXYPlane, raw), Vexa::eDegenerateGeometry);
}

}  // namespace
