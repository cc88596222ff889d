#include <gtest/gtest.h>

#include <random>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScale3d.h"

namespace {

const QvGeTol kTight(1e-12, 1e-13);

QvGeVector3d randomVector(std::mt19937& rng) {
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  return {u(rng), u(rng), u(rng)};
}

TEST(QvGeMatrix3d, PlaneToWorldAndWorldToPlaneAreExactInverses) {
  std::mt19937 rng(3);
  for (int i = 0; i < 300; ++i) {
    QvGeVector3d n = randomVector(rng);
    if (i % 3 == 0) n.set(n.x * 1e-3, n.y * 1e-3, n.z);  // near the z axis branch
    if (n.isZeroLength()) continue;
    const QvGeMatrix3d p2w = QvGeMatrix3d::planeToWorld(n);
    const QvGeMatrix3d w2p = QvGeMatrix3d::worldToPlane(n);
    EXPECT_TRUE((p2w * w2p).isEqualTo(QvGeMatrix3d::kIdentity, kTight));
    EXPECT_TRUE((w2p * p2w).isEqualTo(QvGeMatrix3d::kIdentity, kTight));
    // Plane z maps onto the normal, and the plane's x axis is the arbitrary axis.
    QvGeVector3d z = QvGeVector3d::kZAxis, x = QvGeVector3d::kXAxis;
    EXPECT_TRUE(z.transformBy(p2w).isEqualTo(n.normal(), kTight));
    EXPECT_TRUE(x.transformBy(p2w).isEqualTo(n.perpVector().normal(), kTight));
    EXPECT_TRUE(p2w.isUniScaledOrtho());
    EXPECT_NEAR(p2w.det(), 1.0, 1e-14);
  }
  // The same with a plane that has its own point.
  const QvGePlane plane(QvGePoint3d(5, -3, 2), QvGeVector3d(0.3, 0.4, -0.5));
  QvGePoint3d p(7, 8, 9), q = p;
  q.transformBy(QvGeMatrix3d::worldToPlane(plane));
  EXPECT_NEAR(q.z, plane.signedDistanceTo(p), 1e-12);
  q.transformBy(QvGeMatrix3d::planeToWorld(plane));
  EXPECT_TRUE(q.isEqualTo(p, kTight));
  QvGeMatrix3d untouched = QvGeMatrix3d::translation({1, 2, 3});
  EXPECT_FALSE(untouched.setToPlaneToWorld(QvGeVector3d::kIdentity));
  EXPECT_TRUE(untouched.isEqualTo(QvGeMatrix3d::translation({1, 2, 3})));
}

TEST(QvGeMatrix3d, RotationScalingMirroringAndInverse) {
  std::mt19937 rng(5);
  for (int i = 0; i < 100; ++i) {
    const QvGeVector3d axis = randomVector(rng);
    const QvGePoint3d center = QvGePoint3d::kOrigin + randomVector(rng) * 10.0;
    const double angle = randomVector(rng).x * 6.0;
    QvGeMatrix3d r;
    ASSERT_TRUE(r.setToRotation(angle, axis, center));
    QvGePoint3d c = center;
    EXPECT_TRUE(c.transformBy(r).isEqualTo(center, QvGeTol(1e-12, 1e-12)));
    QvGeMatrix3d inv;
    ASSERT_TRUE(r.inverse(inv));
    EXPECT_TRUE(inv.isEqualTo(QvGeMatrix3d::rotation(-angle, axis, center), kTight));
    EXPECT_TRUE(r.transpose().transpose().isEqualTo(r, kTight));

    const QvGePlane plane(center, axis);
    const QvGeMatrix3d mirror = QvGeMatrix3d::mirroring(plane);
    EXPECT_TRUE((mirror * mirror).isEqualTo(QvGeMatrix3d::kIdentity, kTight));
    EXPECT_NEAR(mirror.det(), -1.0, 1e-13);
  }
  QvGeMatrix3d unchanged;
  EXPECT_FALSE(unchanged.setToRotation(1.0, QvGeVector3d::kIdentity));
  EXPECT_FALSE(unchanged.setToMirroring(QvGePlane(QvGePoint3d::kOrigin, QvGeVector3d())));
  EXPECT_TRUE(unchanged.isEqualTo(QvGeMatrix3d::kIdentity));

  // A singular matrix has no inverse: the identity stands in.
  QvGeMatrix3d singular = QvGeMatrix3d::scaling(2.0);
  singular.entry[2][2] = 0.0;
  EXPECT_TRUE(singular.inverse().isEqualTo(QvGeMatrix3d::kIdentity));
  EXPECT_FALSE(singular.invert());
}

// Singularity against the tolerance: a diagonal matrix whose smallest entry sits just above or
// below tol times its largest, a pivot that only appears after a row swap, and matrices made
// singular by a repeated row.
TEST(QvGeMatrix3d, SingularityFollowsTheSmallestPivotAgainstTheTolerance) {
  QvGeMatrix3d m = QvGeMatrix3d::scaling(4.0);
  m.entry[1][1] = 4.0 * 2e-10;
  EXPECT_FALSE(m.isSingular(1e-10));
  m.entry[1][1] = 4.0 * 0.5e-10;
  EXPECT_TRUE(m.isSingular(1e-10));
  QvGeMatrix3d out;
  EXPECT_FALSE(m.inverse(out, 1e-10));

  // The rows of the identity in another order: every pivot comes from a swap.
  QvGeMatrix3d swapped;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) swapped.entry[i][j] = (j == (i + 1) % 4) ? 1.0 : 0.0;
  EXPECT_FALSE(swapped.isSingular());
  ASSERT_TRUE(swapped.inverse(out));
  EXPECT_TRUE((swapped * out).isEqualTo(QvGeMatrix3d::kIdentity));

  QvGeMatrix3d repeated = QvGeMatrix3d::translation({1, 2, 3});
  repeated.entry[0][0] = 2.0;
  repeated.entry[0][1] = 3.0;
  for (int j = 0; j < 4; ++j) repeated.entry[1][j] = repeated.entry[0][j];
  EXPECT_TRUE(repeated.isSingular());
  EXPECT_TRUE(QvGeMatrix3d::scaling(0.0).isSingular());
}

TEST(QvGeMatrix3d, TranslateThenScaleNormalisesABox) {
  // Center (15, 20, 0) to the origin, then scale the 50-unit diagonal down to 10.
  const QvGeMatrix3d t = QvGeMatrix3d::translation(QvGePoint3d::kOrigin - QvGePoint3d(15, 20, 0));
  const QvGeMatrix3d s = QvGeMatrix3d::scaling(10.0 / 50.0);
  const QvGeMatrix3d m = s * t;
  QvGePoint3d a(15, 20, 0), b(30, 40, 0);
  EXPECT_TRUE(a.transformBy(m).isEqualTo(QvGePoint3d::kOrigin));
  EXPECT_TRUE(b.transformBy(m).isEqualTo(QvGePoint3d(3, 4, 0)));
  EXPECT_NEAR(m.scale(), 0.2, 1e-15);
  EXPECT_TRUE(m.isUniScaledOrtho());
  QvGeMatrix3d pre = t;
  pre.preMultBy(s);
  EXPECT_TRUE(pre.isEqualTo(m));
  QvGeMatrix3d post = s;
  post.postMultBy(t);
  EXPECT_TRUE(post.isEqualTo(m));
  QvGePoint3d c(1, 1, 1);
  EXPECT_TRUE(c.transformBy(QvGeMatrix3d::scaling(3.0, QvGePoint3d(1, 1, 1)))
                  .isEqualTo(QvGePoint3d(1, 1, 1)));
  QvGeMatrix3d nonUniform;
  QvGeScale3d(1, 2, 3).getMatrix(nonUniform);
  EXPECT_TRUE(nonUniform.isScaledOrtho());
  EXPECT_FALSE(nonUniform.isUniScaledOrtho());
}

TEST(QvGeMatrix3d, CoordinateSystemsAndAlignment) {
  const QvGePoint3d o(1, 2, 3);
  const QvGeVector3d x(0, 1, 0), y(-1, 0, 0), z(0, 0, 1);
  QvGeMatrix3d m;
  m.setCoordSystem(o, x, y, z);
  QvGePoint3d o2;
  QvGeVector3d x2, y2, z2;
  m.getCoordSystem(o2, x2, y2, z2);
  EXPECT_TRUE(o2.isEqualTo(o) && x2.isEqualTo(x) && y2.isEqualTo(y) && z2.isEqualTo(z));

  // Align a shifted, rotated frame onto the world frame: its origin goes to the world origin
  // and its axes onto the world axes.
  QvGeMatrix3d align;
  ASSERT_TRUE(align.setToAlignCoordSys(o, x, y, z, QvGePoint3d::kOrigin, QvGeVector3d::kXAxis,
                                       QvGeVector3d::kYAxis, QvGeVector3d::kZAxis));
  QvGePoint3d p = o + x * 2.0 + y * 3.0 + z * 4.0;
  EXPECT_TRUE(p.transformBy(align).isEqualTo(QvGePoint3d(2, 3, 4)));
  EXPECT_TRUE((align * m).isEqualTo(QvGeMatrix3d::kIdentity));
}

TEST(QvGeScale3d, ProportionalityAndProducts) {
  EXPECT_TRUE(QvGeScale3d(2.0).isProportional());
  EXPECT_FALSE(QvGeScale3d(2, 2, 2.000001).isProportional());
  EXPECT_TRUE(QvGeScale3d(2, 2, 2 + 1e-13).isProportional());
  EXPECT_TRUE((QvGeScale3d(1, 2, 3) * 2.0).isEqualTo(QvGeScale3d(2, 4, 6)));
  EXPECT_TRUE((QvGeScale3d(1, 2, 3) * QvGeScale3d(3, 2, 1)).isEqualTo(QvGeScale3d(3, 4, 3)));
}

}  // namespace
