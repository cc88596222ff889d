#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeRay3d.h"
#include "tests/support/CurveChecks.h"

namespace {

TEST(QvGeLineSeg3d, ParametersLengthsAndClosestPoints) {
  const QvGeLineSeg3d seg(QvGePoint3d(1, 2, 3), QvGePoint3d(4, 6, 3));  // length 5
  EXPECT_DOUBLE_EQ(seg.length(), 5.0);
  EXPECT_DOUBLE_EQ(seg.length(0.2, 0.6), 2.0);
  EXPECT_DOUBLE_EQ(seg.length(-3.0, 7.0), 5.0);  // clamped to the interval
  EXPECT_NEAR(seg.paramAtLength(0.0, 2.5), 0.5, 1e-15);
  double t;
  EXPECT_FALSE(seg.getParamAtLength(0.5, 3.0, true, t));
  ASSERT_TRUE(seg.getParamAtLength(1.0, 5.0, false, t));
  EXPECT_EQ(t, 0.0);

  // Beyond an end, the end is nearest; beside the segment, the foot.
  EXPECT_TRUE(seg.closestPointTo(QvGePoint3d(-5, -5, 3)).isEqualTo(seg.startPoint()));
  double param;
  const QvGePoint3d foot = seg.closestPointTo(QvGePoint3d(2.5, 4, 10), param);
  EXPECT_NEAR(param, 0.5, 1e-15);
  EXPECT_TRUE(foot.isEqualTo(seg.midPoint()));
  EXPECT_NEAR(seg.distanceTo(QvGePoint3d(2.5, 4, 10)), 7.0, 1e-14);
  EXPECT_FALSE(seg.isOn(QvGePoint3d(7, 10, 3)));  // on the carrier, past the end

  // Seen along Z, a point above the middle is on the segment.
  QvGePoint3d seen;
  ASSERT_TRUE(seg.projClosestPointTo(QvGePoint3d(2.5, 4, 99), QvGeVector3d(0, 0, 1), seen, param));
  EXPECT_TRUE(seen.isEqualTo(seg.midPoint()));
  EXPECT_FALSE(seg.projClosestPointTo(QvGePoint3d(), QvGeVector3d(), seen, param));
  // Seen along its own direction every point is as near: the nearest in space is taken.
  ASSERT_TRUE(seg.projClosestPointTo(QvGePoint3d(9, 9, 3), QvGeVector3d(3, 4, 0), seen, param));
  EXPECT_TRUE(seen.isEqualTo(seg.endPoint()));

  curvecheck::paramRoundTrip(seg);
  curvecheck::reverseKeepsPoints(seg);
  curvecheck::splitCoversCurve(seg, QvGeDoubleArray{0.7, 0.2, 0.7, 1.0, 5.0}, 3);
  curvecheck::transformRoundTrip(
      seg, QvGeMatrix3d::rotation(0.3, {1, 1, 0}, QvGePoint3d(5, 0, 1)) * QvGeMatrix3d::scaling(3));

  // A segment of zero length is a valid point.
  const QvGeLineSeg3d dot(QvGePoint3d(1, 1, 1), QvGePoint3d(1, 1, 1));
  EXPECT_TRUE(dot.isValid());
  EXPECT_EQ(dot.length(), 0.0);
  EXPECT_EQ(dot.paramOf(QvGePoint3d(5, 5, 5)), 0.0);
  EXPECT_TRUE(dot.direction().isZeroLength());
}

TEST(QvGeLine3d, UnboundedLinesAndRays) {
  const QvGeLine3d line(QvGePoint3d(0, 0, 1), QvGeVector3d(0, 2, 0));
  EXPECT_TRUE(line.direction().isEqualTo(QvGeVector3d::kYAxis));
  EXPECT_NEAR(line.paramOf(QvGePoint3d(7, -3, 1)), -3.0, 1e-15);  // distance along the line
  QvGeInterval i;
  line.getInterval(i);
  EXPECT_TRUE(i.isUnBounded());
  QvGePoint3d p;
  EXPECT_FALSE(line.hasStartPoint(p));
  EXPECT_FALSE(line.isClosed());
  EXPECT_TRUE(line.isColinearTo(QvGeLine3d(QvGePoint3d(0, 5, 1), QvGePoint3d(0, -5, 1))));
  EXPECT_TRUE(line.isPerpendicularTo(QvGeLine3d::kXAxis));

  QvGeRay3d ray(QvGePoint3d(1, 1, 1), QvGePoint3d(1, 1, 3));
  EXPECT_TRUE(ray.rayDirection().isEqualTo(QvGeVector3d::kZAxis));
  EXPECT_TRUE(ray.closestPointTo(QvGePoint3d(1, 1, -5)).isEqualTo(QvGePoint3d(1, 1, 1)));
  EXPECT_TRUE(ray.closestPointTo(QvGePoint3d(5, 1, 4)).isEqualTo(QvGePoint3d(1, 1, 4)));
  // Reversing keeps the points: the parameter now runs over (-inf, 0].
  ray.reverseParam();
  ray.getInterval(i);
  EXPECT_TRUE(i.isBoundedAbove() && !i.isBoundedBelow());
  EXPECT_TRUE(ray.isOn(QvGePoint3d(1, 1, 4)));
  EXPECT_FALSE(ray.isOn(QvGePoint3d(1, 1, 0)));
  EXPECT_TRUE(ray.rayDirection().isEqualTo(QvGeVector3d::kZAxis));
  EXPECT_TRUE(ray.evalPoint(-3.0).isEqualTo(QvGePoint3d(1, 1, 4)));

  // A trimmed line is a segment over the range.
  std::unique_ptr<QvGeCurve3d> piece(line.getTrimmedCurve(-1.0, 2.0));
  ASSERT_TRUE(piece);
  EXPECT_EQ(piece->type(), QvGe::kLineSeg3d);
  EXPECT_NEAR(piece->length(), 3.0, 1e-15);
  QvArray<QvGeCurve3d*> pieces;
  EXPECT_EQ(line.getSplitCurves(QvGeDoubleArray{1.0}, pieces), Vexa::eNotApplicable);
  EXPECT_TRUE(pieces.isEmpty());

  // Transformations keep the parameter a distance.
  QvGeLine3d scaled = line;
  ASSERT_EQ(scaled.transformBy(QvGeMatrix3d::scaling(10.0)), Vexa::eOk);
  EXPECT_NEAR(scaled.paramOf(QvGePoint3d(0, 30, 10)), 30.0, 1e-13);
  EXPECT_EQ(scaled.transformBy(QvGeMatrix3d::scaling(0.0)), Vexa::eDegenerateGeometry);
  EXPECT_TRUE(scaled.direction().isEqualTo(QvGeVector3d::kYAxis));
}

TEST(QvGeLine3d, ZeroDirectionsAreRefused) {
  const QvGeLine3d bad(QvGePoint3d(1, 2, 3), QvGeVector3d());
  EXPECT_TRUE(bad.evalPoint(5.0).isEqualTo(QvGePoint3d(1, 2, 3)));
  EXPECT_EQ(bad.paramOf(QvGePoint3d(9, 9, 9)), 0.0);  // no NaN
  QvGePoint3d pt;
  QvGeVector3dArray derivs;
  EXPECT_EQ(bad.evaluate(0.0, 1, pt, derivs), Vexa::eDegenerateGeometry);
  QvGeLine3d line;
  EXPECT_EQ(line.set(QvGePoint3d(), QvGePoint3d(1e-11, 0, 0)), Vexa::eInvalidInput);
  EXPECT_TRUE(line.isColinearTo(QvGeLine3d::kXAxis));
  const QvGeRay3d badRay(QvGePoint3d(), QvGeVector3d(0, 0, 1e-13));
  EXPECT_FALSE(badRay.isValid());
  QvGeCurve3d* image = nullptr;
  EXPECT_EQ(badRay.project(QvGePlane::kXYPlane, QvGeVector3d::kZAxis, image), Vexa::eInvalidInput);
  EXPECT_EQ(image, nullptr);
}

TEST(QvGeLinearEnt3d, ProjectionAlongADirection) {
  const QvGeLineSeg3d seg(QvGePoint3d(0, 0, 5), QvGePoint3d(10, 0, 15));
  QvGeCurve3d* raw = nullptr;
  // Along -Z onto the XY plane.
  ASSERT_EQ(seg.project(QvGePlane::kXYPlane, QvGeVector3d(0, 0, -1), raw), Vexa::eOk);
  std::unique_ptr<QvGeCurve3d> image(raw);
  EXPECT_EQ(image->type(), QvGe::kLineSeg3d);
  QvGePoint3d s, e;
  image->hasStartPoint(s);
  image->hasEndPoint(e);
  EXPECT_TRUE(s.isEqualTo(QvGePoint3d(0, 0, 0)));
  EXPECT_TRUE(e.isEqualTo(QvGePoint3d(10, 0, 0)));
  // Obliquely along (1, 0, -1): every point slides by its height.
  ASSERT_EQ(seg.project(QvGePlane::kXYPlane, QvGeVector3d(1, 0, -1), raw), Vexa::eOk);
  image.reset(raw);
  image->hasEndPoint(e);
  EXPECT_TRUE(e.isEqualTo(QvGePoint3d(25, 0, 0)));
  // Along the segment itself it collapses; along a direction in the plane nothing is defined.
  EXPECT_EQ(seg.project(QvGePlane::kXYPlane, QvGeVector3d(1, 0, 1), raw),
            Vexa::eDegenerateGeometry);
  EXPECT_EQ(seg.project(QvGePlane::kXYPlane, QvGeVector3d(1, 0, 0), raw), Vexa::eNotApplicable);
  EXPECT_EQ(seg.project(QvGePlane::kXYPlane, QvGeVector3d(), raw), Vexa::eInvalidInput);
}

TEST(QvGePlane, MeetsLinesRaysAndSegmentsWithinTheirIntervals) {
  const QvGePlane plane(QvGePoint3d(0, 0, 2), QvGeVector3d(0, 0, 1));
  const QvGeLine3d line(QvGePoint3d(1, 1, 0), QvGeVector3d(1, 0, 1));
  QvGePoint3d hit;
  ASSERT_TRUE(plane.intersectWith(line, hit));
  EXPECT_TRUE(hit.isEqualTo(QvGePoint3d(3, 1, 2)));
  const QvGeRay3d away(QvGePoint3d(1, 1, 0), QvGeVector3d(0, 0, -1));
  EXPECT_FALSE(plane.intersectWith(away, hit));
  const QvGeLineSeg3d shortSeg(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 1.5));
  EXPECT_FALSE(plane.intersectWith(shortSeg, hit));
  const QvGeLineSeg3d touching(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 2 - 1e-11));
  ASSERT_TRUE(plane.intersectWith(touching, hit));  // within the point tolerance of its end
  EXPECT_TRUE(hit.isEqualTo(QvGePoint3d(0, 0, 2)));
  EXPECT_FALSE(plane.intersectWith(QvGeLine3d(QvGePoint3d(), QvGeVector3d::kXAxis), hit));
  EXPECT_FALSE(plane.intersectWith(QvGeLine3d(QvGePoint3d(), QvGeVector3d()), hit));
}

TEST(QvGeCurve3d, CheckedEvaluationReportsBadParameters) {
  const QvGeLineSeg3d seg(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0));
  QvGePoint3d p(7, 7, 7);
  QvGeVector3dArray derivs;
  EXPECT_EQ(seg.evaluate(1.5, 1, p, derivs), Vexa::eOutOfRange);
  EXPECT_EQ(seg.evaluate(std::nan(""), 0, p, derivs), Vexa::eOutOfRange);
  EXPECT_TRUE(p.isEqualTo(QvGePoint3d(7, 7, 7)));
  ASSERT_EQ(seg.evaluate(0.5, 2, p, derivs), Vexa::eOk);
  EXPECT_TRUE(p.isEqualTo(QvGePoint3d(1, 0, 0)));
  ASSERT_EQ(derivs.length(), 2);
  EXPECT_TRUE(derivs[0].isEqualTo(QvGeVector3d(2, 0, 0)));
  EXPECT_TRUE(derivs[1].isZeroLength());
}

}  // namespace
