#include <gtest/gtest.h>

#include <cmath>

#include "sdk/ge/QvGeBoundBlock3d.h"
#include "sdk/ge/QvGeExtents3d.h"
#include "sdk/ge/QvGeInterval.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"

namespace {

TEST(QvGePlane, ConstructionsAgreeAndBadDataIsRefused) {
  const QvGePlane a(QvGePoint3d(0, 0, 2), QvGeVector3d(0, 0, 3));
  const QvGePlane b(0, 0, 1, -2);
  const QvGePlane c(QvGePoint3d(1, 0, 2), QvGePoint3d(2, 1, 2), QvGePoint3d(0, 5, 2));
  EXPECT_TRUE(a.isCoplanarTo(b));
  EXPECT_TRUE(a.isCoplanarTo(c));
  EXPECT_TRUE(a.normal().isEqualTo(QvGeVector3d::kZAxis));
  double ca, cb, cc, cd;
  c.getCoefficients(ca, cb, cc, cd);
  EXPECT_NEAR(cd, -2.0, 1e-15);

  // A plane without a normal answers its own point as the closest to any other (its other
  // refusals are checked with every degenerate plane in QvGeBadInputTest).
  const QvGePlane bad(QvGePoint3d(1, 2, 3), QvGeVector3d());
  EXPECT_TRUE(bad.closestPointTo(QvGePoint3d(9, 9, 9)).isEqualTo(QvGePoint3d(1, 2, 3)));

  QvGePlane p = a;
  EXPECT_EQ(p.set(QvGePoint3d(), QvGeVector3d(0, 0, 1e-14)), Vexa::eInvalidInput);
  EXPECT_TRUE(p.isCoplanarTo(a));
  EXPECT_EQ(p.set(QvGePoint3d(), QvGeVector3d(1, 0, 0), QvGeVector3d(2, 0, 0)),
            Vexa::eInvalidInput);
  EXPECT_EQ(p.set(QvGePoint3d(), QvGeVector3d(1, 0, 0), QvGeVector3d(1, 1, 0)), Vexa::eOk);
  EXPECT_TRUE(p.vAxis().isEqualTo(QvGeVector3d::kYAxis));  // made perpendicular to u
}

TEST(QvGePlane, DistancesProjectionsAndIntersections) {
  const QvGePlane plane(QvGePoint3d(1, 1, 1), QvGeVector3d(1, 1, 1));
  const QvGePoint3d p(3, 3, 3);
  EXPECT_NEAR(plane.signedDistanceTo(p), 2 * std::sqrt(3.0), 1e-14);
  EXPECT_TRUE(plane.closestPointTo(p).isEqualTo(QvGePoint3d(1, 1, 1)));
  EXPECT_TRUE(plane.isOn(QvGePoint3d(3, 0, 0)));
  EXPECT_FALSE(plane.isOn(QvGePoint3d(3, 0, 1e-9)));

  QvGePoint3d hit;
  ASSERT_TRUE(plane.intersectWith(QvGePoint3d(0, 0, 10), QvGeVector3d(0, 0, -1), hit));
  EXPECT_TRUE(hit.isEqualTo(QvGePoint3d(0, 0, 3)));
  EXPECT_FALSE(plane.intersectWith(QvGePoint3d(0, 0, 10), QvGeVector3d(1, -1, 0), hit));
  EXPECT_FALSE(plane.intersectWith(QvGePoint3d(0, 0, 10), QvGeVector3d(), hit));

  const QvGePlane other(QvGePoint3d(0, 0, 2), QvGeVector3d(0, 0, 1));
  QvGePoint3d linePoint;
  QvGeVector3d lineDir;
  ASSERT_TRUE(plane.intersectWith(other, linePoint, lineDir));
  for (double t : {-5.0, 0.0, 7.0}) {
    EXPECT_TRUE(plane.isOn(linePoint + lineDir * t, QvGeTol(1e-12, 1e-12)));
    EXPECT_TRUE(other.isOn(linePoint + lineDir * t, QvGeTol(1e-12, 1e-12)));
  }
  EXPECT_FALSE(other.intersectWith(QvGePlane::kXYPlane, linePoint, lineDir));

  QvGePlane moved = plane;
  ASSERT_TRUE(moved.transformBy(QvGeMatrix3d::translation({0, 0, 3})));
  EXPECT_TRUE(moved.isOn(QvGePoint3d(3, 0, 3)));
  EXPECT_FALSE(moved.transformBy(QvGeMatrix3d::scaling(0.0)));
  EXPECT_TRUE(moved.isOn(QvGePoint3d(3, 0, 3)));
}

TEST(QvGeInterval, BoundsTolerancesAndIntersections) {
  QvGeInterval i(2.0, 1.0);  // put in order
  EXPECT_EQ(i.lowerBound(), 1.0);
  EXPECT_EQ(i.upperBound(), 2.0);
  EXPECT_TRUE(i.contains(2.0 + 1e-13));
  EXPECT_FALSE(i.contains(2.0 + 1e-11));
  EXPECT_FALSE(i.contains(std::nan("")));
  EXPECT_EQ(i.length(), 1.0);
  EXPECT_EQ(i.clamp(5.0), 2.0);

  const QvGeInterval ray = QvGeInterval::fromLower(1.5);
  EXPECT_FALSE(ray.isBounded());
  EXPECT_EQ(ray.length(), -1.0);
  QvGeInterval common;
  ASSERT_TRUE(i.intersectWith(ray, common));
  EXPECT_TRUE(common.isEqualTo(QvGeInterval(1.5, 2.0)));
  EXPECT_TRUE(QvGeInterval().contains(1e200));
  EXPECT_TRUE(i.isDisjoint(QvGeInterval(3.0, 4.0)));
  EXPECT_FALSE(i.isDisjoint(QvGeInterval(2.0, 4.0)));
  EXPECT_TRUE(QvGeInterval(0, 10).contains(i));
  EXPECT_FALSE(i.contains(ray));
}

TEST(QvGeExtents3d, EmptyGrowTransformAndSeparate) {
  QvGeExtents3d e;
  EXPECT_FALSE(e.isValidExtents());
  e.addPoint(QvGePoint3d(1, 2, 3)).addPoint(QvGePoint3d(-1, 0, 5));
  EXPECT_TRUE(e.isValidExtents());
  EXPECT_TRUE(e.minPoint().isEqualTo(QvGePoint3d(-1, 0, 3)));
  EXPECT_TRUE(e.center().isEqualTo(QvGePoint3d(0, 1, 4)));

  QvGeExtents3d rotated = e;
  rotated.transformBy(QvGeMatrix3d::rotation(QvGe::kHalfPi, QvGeVector3d::kZAxis));
  EXPECT_TRUE(rotated.minPoint().isEqualTo(QvGePoint3d(-2, -1, 3)));
  EXPECT_TRUE(rotated.maxPoint().isEqualTo(QvGePoint3d(0, 1, 5)));

  const QvGeExtents3d far(QvGePoint3d(1 + 1e-9, 0, 0), QvGePoint3d(4, 4, 4));
  EXPECT_TRUE(e.isDisjoint(far));
  EXPECT_FALSE(e.isDisjoint(QvGeExtents3d(QvGePoint3d(1, 0, 0), QvGePoint3d(4, 4, 4))));
  EXPECT_TRUE(e.isDisjoint(QvGeExtents3d()));

  QvGeBoundBlock3d block(QvGePoint3d(3, 3, 3), QvGePoint3d(1, 1, 1));
  EXPECT_TRUE(block.minPoint().isEqualTo(QvGePoint3d(1, 1, 1)));
  block.swell(1.0);
  EXPECT_TRUE(block.contains(QvGePoint3d(0, 4, 2)));
  EXPECT_TRUE(QvGeBoundBlock3d(QvGeExtents3d()).minPoint().isEqualTo(QvGePoint3d::kOrigin));
}

}  // namespace
