#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGeMatrix2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

namespace {

constexpr double kPi = QvGe::kPi;

TEST(QvGeVector3d, NormalizeReportsZeroLengthAndLeavesVectorAlone) {
  QvGe::ErrorCondition flag = QvGe::kOk;
  QvGeVector3d tiny(1e-13, 0.0, 0.0);
  tiny.normalize(QvGeContext::gTol, flag);
  EXPECT_EQ(flag, QvGe::k0This);
  EXPECT_EQ(tiny.x, 1e-13);

  QvGeVector3d v(3.0, 4.0, 12.0);
  v.normalize(QvGeContext::gTol, flag);
  EXPECT_EQ(flag, QvGe::kOk);
  EXPECT_NEAR(v.length(), 1.0, 1e-15);
  EXPECT_NEAR(v.z, 12.0 / 13.0, 1e-15);

  // Components near the limits of double neither overflow nor vanish.
  EXPECT_NEAR(QvGeVector3d(3e200, 4e200, 0).length() / 5e200, 1.0, 1e-15);
  EXPECT_NEAR(QvGeVector3d(3e-200, 4e-200, 0).length() / 5e-200, 1.0, 1e-15);
}

// Lengths of vectors holding what is not a number: a NaN gives NaN unless every other
// component is zero (then it is ignored, as the largest magnitude is zero); an infinity gives
// infinity.
TEST(QvGeVector3d, LengthsOfVectorsWithNaNOrInfinity) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  EXPECT_EQ(QvGeVector3d(3.0, -4.0, 0.0).length(), 5.0);
  EXPECT_EQ(QvGeVector3d(0.0, -0.0, 0.0).length(), 0.0);
  EXPECT_TRUE(std::isnan(QvGeVector3d(nan, 4.0, 0.0).length()));
  EXPECT_TRUE(std::isnan(QvGeVector3d(3.0, nan, 0.0).length()));
  EXPECT_TRUE(std::isnan(QvGeVector3d(3.0, 0.0, nan).length()));
  EXPECT_EQ(QvGeVector3d(nan, 0.0, 0.0).length(), 0.0);
  EXPECT_EQ(QvGeVector3d(0.0, 0.0, nan).length(), 0.0);
  EXPECT_TRUE(std::isnan(QvGeVector3d(nan, nan, nan).length()));
  EXPECT_EQ(QvGeVector3d(-inf, 1.0, 0.0).length(), inf);
  EXPECT_EQ(QvGeVector3d(nan, inf, 0.0).length(), inf);
}

TEST(QvGeVector3d, PerpVectorFollowsTheArbitraryAxisRule) {
  // Near the z axis the world Y axis is crossed with the vector, elsewhere the world Z axis.
  EXPECT_TRUE(QvGeVector3d(0, 0, -1).perpVector().isEqualTo(QvGeVector3d(-1, 0, 0)));
  EXPECT_TRUE(QvGeVector3d(0, 0, 5).perpVector().isEqualTo(QvGeVector3d::kXAxis));
  EXPECT_TRUE(QvGeVector3d(1, 0, 0).perpVector().isEqualTo(QvGeVector3d(0, 1, 0)));
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (int i = 0; i < 200; ++i) {
    const QvGeVector3d v(u(rng), u(rng), u(rng));
    if (v.isZeroLength()) continue;
    const QvGeVector3d p = v.perpVector();
    EXPECT_NEAR(p.dotProduct(v), 0.0, 1e-14);
    EXPECT_NEAR(p.length(), 1.0, 1e-15);
  }
  EXPECT_TRUE(QvGeVector3d::kIdentity.perpVector().isZeroLength());
}

TEST(QvGeVector3d, AnglesAreMeasuredInTheRightSenseAndRange) {
  const QvGeVector3d x = QvGeVector3d::kXAxis, y = QvGeVector3d::kYAxis;
  EXPECT_NEAR(x.angleTo(y), kPi / 2, 1e-15);
  EXPECT_NEAR(x.angleTo(-x), kPi, 1e-15);
  EXPECT_NEAR(x.angleTo(y, QvGeVector3d::kZAxis), kPi / 2, 1e-15);
  EXPECT_NEAR(x.angleTo(y, -QvGeVector3d::kZAxis), 3 * kPi / 2, 1e-15);
  EXPECT_EQ(x.angleTo(x, QvGeVector3d::kZAxis), 0.0);
  // A user frame rotated 30 degrees about Z: the X axis measured on the plane with normal
  // X x Y reads 30 degrees.
  const double a = kPi / 6;
  const QvGeVector3d ux(std::cos(a), std::sin(a), 0), uy(-std::sin(a), std::cos(a), 0);
  const QvGePlane plane(QvGePoint3d::kOrigin, ux.crossProduct(uy));
  EXPECT_NEAR(ux.angleOnPlane(plane), a, 1e-15);
  // The part along the normal does not count.
  EXPECT_NEAR((ux + QvGeVector3d(0, 0, 7)).angleOnPlane(plane), a, 1e-15);
  EXPECT_EQ(QvGeVector3d(0, 0, 1).angleOnPlane(plane), 0.0);
}

TEST(QvGeVector3d, RotationAgreesWithTheRotationMatrix) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (int i = 0; i < 100; ++i) {
    const QvGeVector3d v(u(rng), u(rng), u(rng)), axis(u(rng), u(rng), u(rng));
    const double angle = 4 * u(rng);
    QvGeVector3d a = v, b = v;
    a.rotateBy(angle, axis);
    b.transformBy(QvGeMatrix3d::rotation(angle, axis));
    EXPECT_TRUE(a.isEqualTo(b, QvGeTol(1e-10, 1e-14)));
    EXPECT_NEAR(a.length(), v.length(), 1e-14);
    // The angle about the axis between the two is the rotation angle.
    const double measured = v.orthoProject(axis).angleTo(a.orthoProject(axis), axis);
    EXPECT_NEAR(std::remainder(measured - angle, 2 * kPi), 0.0, 1e-9);
  }
  QvGeVector3d unchanged(1, 2, 3);
  unchanged.rotateBy(1.0, QvGeVector3d::kIdentity);
  EXPECT_TRUE(unchanged.isEqualTo(QvGeVector3d(1, 2, 3)));
}

TEST(QvGeVector3d, ParallelAndPerpendicularTests) {
  const QvGeVector3d v(1, 2, 3);
  EXPECT_TRUE(v.isParallelTo(v * -4.0));
  EXPECT_FALSE(v.isCodirectionalTo(v * -4.0));
  EXPECT_TRUE(v.isCodirectionalTo(v * 0.5));
  EXPECT_FALSE(v.isParallelTo(QvGeVector3d::kIdentity));
  EXPECT_FALSE(v.isParallelTo(v + QvGeVector3d(0, 0, 1e-6)));
  EXPECT_TRUE(v.isPerpendicularTo(v.perpVector()));
  EXPECT_FALSE(QvGeVector3d::kIdentity.isPerpendicularTo(v));
}

TEST(QvGePoint3d, PlaneCoordinatesRoundTrip) {
  const QvGePlane plane(QvGePoint3d(1, 2, 3), QvGeVector3d(1, -2, 0.5));
  const QvGePoint3d p(4, -5, 6);
  const QvGePoint2d p2 = p.convert2d(plane);
  const QvGePoint3d back(plane, p2);
  EXPECT_TRUE(back.isEqualTo(p.orthoProject(plane), QvGeTol(1e-12, 1e-12)));
  EXPECT_TRUE(plane.isOn(back));
  QvGePoint3d mirrored = p;
  mirrored.mirror(plane);
  EXPECT_NEAR(plane.signedDistanceTo(mirrored), -plane.signedDistanceTo(p), 1e-12);
  QvGePoint3d hit;
  ASSERT_TRUE(p.project(plane, QvGeVector3d(0, 0, 1), hit));
  EXPECT_TRUE(plane.isOn(hit, QvGeTol(1e-12, 1e-12)));
  EXPECT_NEAR(hit.x, p.x, 1e-15);
  EXPECT_FALSE(p.project(plane, plane.uAxis(), hit));
}

TEST(QvGeVector2d, AnglesAndRotations) {
  EXPECT_NEAR(QvGeVector2d(-1, -1).angle(), 5 * kPi / 4, 1e-15);
  EXPECT_EQ(QvGeVector2d().angle(), 0.0);
  EXPECT_NEAR(QvGeVector2d(1, 0).angleToCCW(QvGeVector2d(0, -1)), 3 * kPi / 2, 1e-15);
  EXPECT_NEAR(QvGeVector2d(1, 0).angleTo(QvGeVector2d(0, -1)), kPi / 2, 1e-15);
  QvGePoint2d p(2, 1);
  p.rotateBy(kPi / 2, QvGePoint2d(1, 1));
  EXPECT_TRUE(p.isEqualTo(QvGePoint2d(1, 2)));
  QvGeMatrix2d mirror;
  ASSERT_TRUE(mirror.setToMirroring(QvGePoint2d(0, 1), QvGeVector2d(1, 1)));
  QvGePoint2d q(3, 0);
  q.transformBy(mirror);
  EXPECT_TRUE(q.isEqualTo(QvGePoint2d(-1, 4)));  // mirrored in y = x + 1
  EXPECT_FALSE(mirror.setToMirroring(QvGePoint2d(), QvGeVector2d()));
  QvGeMatrix2d inv;
  ASSERT_TRUE(mirror.inverse(inv));
  EXPECT_TRUE((mirror * inv).isEqualTo(QvGeMatrix2d::kIdentity));
  EXPECT_FALSE(QvGeMatrix2d::scaling(0.0).inverse(inv));
}

TEST(QvGeKinds, KindTreeAnswersIsKindOf) {
  EXPECT_TRUE(QvGe::isKindOf(QvGe::kLineSeg3d, QvGe::kLinearEnt3d));
  EXPECT_TRUE(QvGe::isKindOf(QvGe::kLineSeg3d, QvGe::kCurve3d));
  EXPECT_TRUE(QvGe::isKindOf(QvGe::kLineSeg3d, QvGe::kEntity3d));
  EXPECT_FALSE(QvGe::isKindOf(QvGe::kLineSeg3d, QvGe::kLineSeg2d));
  EXPECT_FALSE(QvGe::isKindOf(QvGe::kLinearEnt3d, QvGe::kLineSeg3d));
  EXPECT_TRUE(QvGe::isKindOf(QvGe::kNurbCurve2d, QvGe::kSplineEnt2d));
  EXPECT_FALSE(QvGe::isKindOf(QvGe::kNurbCurve2d, QvGe::kCurve3d));
  EXPECT_TRUE(QvGe::isKindOf(QvGe::kCompositeCrv3d, QvGe::kCurve3d));
  EXPECT_STREQ(QvGe::entityName(QvGe::kCircArc3d), "CircArc3d");
  EXPECT_EQ(QvGe::parentOf(QvGe::kEntity3d), QvGe::kEntity3d);
}

}  // namespace
