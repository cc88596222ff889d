// Normalisation matrices: boxes centred at the origin and scaled to a diagonal of 10, worked out
// from the curves' extents by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

QvGePoint3d mapped(const QvGeMatrix3d& m, const QvGePoint3d& p) {
  return QvGePoint3d(p).transformBy(m);
}

// Moves `center` to the origin and scales by `factor`, turning nothing.
::testing::AssertionResult centresAndScales(const QvGeMatrix3d& m, const QvGePoint3d& center,
                                            double factor) {
  const QvGeMatrix3d expected =
      QvGeMatrix3d::scaling(factor) * QvGeMatrix3d::translation(QvGePoint3d::kOrigin - center);
  if (m.isEqualTo(expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "origin goes to " << mapped(m, QvGePoint3d::kOrigin).x << ","
         << mapped(m, QvGePoint3d::kOrigin).y << "," << mapped(m, QvGePoint3d::kOrigin).z
         << " and the scale is " << m.scale();
}

TEST(NormalizationMatrix, GeometryCurves) {
  const QvGeLineSeg3d segment(QvGePoint3d(0, 0, 0), QvGePoint3d(30, 40, 0));
  const QvGeMatrix3d scaled = XqDbUtil::normalizationMatrix(segment, true);
  EXPECT_POINT_NEAR(mapped(scaled, QvGePoint3d(15, 20, 0)), QvGePoint3d::kOrigin);
  EXPECT_POINT_NEAR(mapped(scaled, QvGePoint3d(30, 40, 0)), QvGePoint3d(3, 4, 0));
  EXPECT_TRUE(
      centresAndScales(XqDbUtil::normalizationMatrix(segment, false), QvGePoint3d(15, 20, 0), 1.0));

  // A unit ray along +X spans 10 units: centre (5, 0, 0), already 10 long.
  const QvGeRay3d ray(QvGePoint3d::kOrigin, QvGeVector3d::kXAxis);
  EXPECT_TRUE(centresAndScales(XqDbUtil::normalizationMatrix(ray, true), QvGePoint3d(5, 0, 0), 1));
  // An unbounded line spans 5 units either side of its point.
  const QvGeLine3d line(QvGePoint3d(1, 1, 1), QvGeVector3d(0, 2, 0));
  EXPECT_TRUE(centresAndScales(XqDbUtil::normalizationMatrix(line, true), QvGePoint3d(1, 1, 1), 1));

  // Two segments far apart: the box from 0 to 100 along X.
  const QvGeLineSeg3d near(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  const QvGeLineSeg3d far(QvGePoint3d(99, 0, 0), QvGePoint3d(100, 0, 0));
  const QvGeMatrix3d pair = XqDbUtil::normalizationMatrix(near, far);
  EXPECT_TRUE(centresAndScales(pair, QvGePoint3d(50, 0, 0), 0.1));
  EXPECT_POINT_NEAR(mapped(pair, QvGePoint3d(100, 0, 0)), QvGePoint3d(5, 0, 0));
}

TEST(NormalizationMatrix, DatabaseCurves) {
  const QvDbCircle circle(QvGePoint3d(5, 5, 0), QvGeVector3d::kZAxis, 5.0);
  const QvDbCurve* curve = &circle;
  EXPECT_TRUE(centresAndScales(XqDbUtil::normalizationMatrix(curve, true), QvGePoint3d(5, 5, 0),
                               10.0 / std::sqrt(200.0)));
  EXPECT_TRUE(
      centresAndScales(XqDbUtil::normalizationMatrix(curve, false), QvGePoint3d(5, 5, 0), 1.0));

  // An xline spans 5 units either side of its base.
  const QvDbXline xline(QvGePoint3d(1, 2, 3), QvGeVector3d(0, 0, 2));
  const QvDbCurve* xlineCurve = &xline;
  EXPECT_POINT_NEAR(mapped(XqDbUtil::normalizationMatrix(xlineCurve, true), QvGePoint3d(1, 2, 8)),
                    QvGePoint3d(0, 0, 5));

  // A leader with one vertex makes no geometry curve: its extents, a box without size, are only
  // moved even when a scaling is asked for.
  QvDbLeader dot;
  ASSERT_EQ(dot.appendVertex(QvGePoint3d(20, 0, 0)), Vexa::eOk);
  const QvDbCurve* dotCurve = &dot;
  EXPECT_TRUE(
      centresAndScales(XqDbUtil::normalizationMatrix(dotCurve, true), QvGePoint3d(20, 0, 0), 1.0));
  // With a ray from the origin along +X: the boxes of both entities, 0 to 20.
  const QvDbRay ray(QvGePoint3d::kOrigin, QvGeVector3d::kXAxis);
  const QvDbCurve* rayCurve = &ray;
  EXPECT_TRUE(centresAndScales(XqDbUtil::normalizationMatrix(dotCurve, rayCurve),
                               QvGePoint3d(10, 0, 0), 0.5));

  // A line without length has neither a geometry curve nor extents.
  const QvDbLine zero(QvGePoint3d(3, 3, 3), QvGePoint3d(3, 3, 3));
  const QvDbCurve* zeroCurve = &zero;
  EXPECT_TRUE(XqDbUtil::normalizationMatrix(zeroCurve, true).isEqualTo(QvGeMatrix3d::kIdentity));

  const QvDbCurve* none = nullptr;
  EXPECT_TRUE(XqDbUtil::normalizationMatrix(none, true).isEqualTo(QvGeMatrix3d::kIdentity));
  EXPECT_TRUE(XqDbUtil::normalizationMatrix(curve, none).isEqualTo(QvGeMatrix3d::kIdentity));
  EXPECT_TRUE(XqDbUtil::normalizationMatrix(none, curve).isEqualTo(QvGeMatrix3d::kIdentity));
}

}  // namespace
