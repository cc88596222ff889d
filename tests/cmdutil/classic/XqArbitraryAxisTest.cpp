#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "InvalidParameterCounter.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "xqcmdutil/XqArbitraryAxis.h"
#include "xqcmdutil/XqPlainMatrix.h"

namespace {

QvGeVector3d vec(const double* v) {
  return {v[0], v[1], v[2]};
}

TEST(XqArbitraryAxis, WorldAxesAndTheNearZBranch) {
  double x[3], y[3], z[3];
  const double up[3] = {0, 0, 5};
  ASSERT_EQ(qv_arbaxis(up, x, y, z), 0);
  EXPECT_EQ(x[0], 1.0);
  EXPECT_EQ(y[1], 1.0);
  EXPECT_EQ(z[2], 1.0);
  EXPECT_EQ(x[1], 0.0);
  // Both plan components below 1/64: x is the normalised (z.z, 0, -z.x).
  const double tilted[3] = {0.01, 0, 1};
  ASSERT_EQ(qv_arbaxis(tilted, x, y, z), 0);
  const QvGeVector3d zn = vec(tilted).normal();
  EXPECT_TRUE(vec(x).isEqualTo(QvGeVector3d(zn.z, 0, -zn.x).normal()));
  EXPECT_TRUE(vec(y).isEqualTo(zn.crossProduct(vec(x))));
  const double down[3] = {0, 0, -1};
  ASSERT_EQ(qv_arbaxis(down, x, y, z), 0);
  EXPECT_TRUE(vec(x).isEqualTo(QvGeVector3d(-1, 0, 0)));
  EXPECT_TRUE(vec(y).isEqualTo(QvGeVector3d(0, 1, 0)));
  // A zero normal: -1, x and y untouched.
  double xs[3] = {7, 7, 7}, ys[3] = {8, 8, 8};
  const double zero[3] = {0, 0, 1e-11};
  EXPECT_EQ(qv_arbaxis(zero, xs, ys, z), -1);
  EXPECT_EQ(xs[0], 7.0);
  EXPECT_EQ(ys[0], 8.0);
  InvalidParameterCounter reports;
  EXPECT_EQ(qv_arbaxis(up, nullptr, y, z), -1);
  EXPECT_EQ(reports.value(), 1);
}

TEST(XqArbitraryAxis, ShortcutAndBranchBoundaries) {
  double x[3], y[3], z[3];
  // Within 1e-7 of +Z the world axes come back exactly.
  const double almostUp[3] = {5e-8, 0, 1};
  ASSERT_EQ(qv_arbaxis(almostUp, x, y, z), 0);
  EXPECT_EQ(x[0], 1.0);
  EXPECT_EQ(x[2], 0.0);
  EXPECT_EQ(z[0], 0.0);
  EXPECT_EQ(z[2], 1.0);
  const double tiltedUp[3] = {2e-7, 0, 1};
  ASSERT_EQ(qv_arbaxis(tiltedUp, x, y, z), 0);
  EXPECT_NEAR(x[2], -2e-7, 1e-15);
  EXPECT_NEAR(z[0], 2e-7, 1e-15);
  // Either side of 1/64 for the unit normal's plan component: world Y x z, then world Z x z.
  const double below[3] = {0.0156, 0, 1};
  ASSERT_EQ(qv_arbaxis(below, x, y, z), 0);
  EXPECT_GT(x[0], 0.999);
  EXPECT_LT(x[2], 0.0);
  EXPECT_NEAR(y[1], 1.0, 1e-15);
  const double above[3] = {0.0157, 0, 1};
  ASSERT_EQ(qv_arbaxis(above, x, y, z), 0);
  EXPECT_EQ(x[0], 0.0);
  EXPECT_DOUBLE_EQ(x[1], 1.0);
  EXPECT_EQ(x[2], 0.0);
  // The same for the host-vector form.
  QvGeVector3d gx, gy, gz;
  ASSERT_TRUE(vexaGetArbitraryAxis(vec(below), gx, gy, gz));
  EXPECT_GT(gx.x, 0.999);
  ASSERT_TRUE(vexaGetArbitraryAxis(vec(above), gx, gy, gz));
  EXPECT_TRUE(gx.isEqualTo(QvGeVector3d::kYAxis));
}

TEST(XqArbitraryAxis, AgreesWithTheGeometryLibraryFrame) {
  std::mt19937 rng(2);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (int i = 0; i < 500; ++i) {
    double n[3] = {u(rng), u(rng), u(rng)};
    if (i % 4 == 0) n[0] *= 0.01, n[1] *= 0.01;
    double x[3], y[3], z[3];
    ASSERT_EQ(qv_arbaxis(n, x, y, z), 0);
    // Orthonormal and right-handed.
    EXPECT_NEAR(vec(x).length(), 1.0, 1e-15);
    EXPECT_NEAR(vec(x).dotProduct(vec(z)), 0.0, 1e-15);
    EXPECT_TRUE(vec(x).crossProduct(vec(y)).isEqualTo(vec(z), QvGeTol(1e-12, 1e-14)));
    // The plane-to-world frame of the geometry library has the same axes.
    QvGeVector3d px = QvGeVector3d::kXAxis, py = QvGeVector3d::kYAxis;
    const QvGeMatrix3d m = QvGeMatrix3d::planeToWorld(vec(n));
    EXPECT_TRUE(px.transformBy(m).isEqualTo(vec(x), QvGeTol(1e-12, 1e-14)));
    EXPECT_TRUE(py.transformBy(m).isEqualTo(vec(y), QvGeTol(1e-12, 1e-14)));
    QvGeVector3d gx, gy, gz;
    ASSERT_TRUE(vexaGetArbitraryAxis(vec(n), gx, gy, gz));
    EXPECT_TRUE(gx.isEqualTo(vec(x), QvGeTol(1e-12, 1e-14)));
    EXPECT_TRUE(gy.isEqualTo(vec(y), QvGeTol(1e-12, 1e-14)));
  }
  QvGeVector3d gx(5, 5, 5), gy, gz;
  EXPECT_FALSE(vexaGetArbitraryAxis(QvGeVector3d(0, 0, 1e-13), gx, gy, gz));
  EXPECT_TRUE(gx.isEqualTo(QvGeVector3d(5, 5, 5)));
  ASSERT_TRUE(vexaGetArbitraryAxis(QvGeVector3d(0, 0, 3), gx, gy, gz));
  EXPECT_TRUE(gx.isEqualTo(QvGeVector3d::kXAxis));
}

TEST(XqPlainMatrix, IdentityAndProductsWithAliasing) {
  double a[4][4], b[4][4], c[4][4];
  xq_idmat(a);
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) EXPECT_EQ(a[r][k], r == k ? 1.0 : 0.0);
  // Products agree with the host matrix, also when the output is an input.
  const QvGeMatrix3d ma = QvGeMatrix3d::rotation(0.7, {1, 2, 3}, {4, 5, 6});
  const QvGeMatrix3d mb = QvGeMatrix3d::translation({1, -2, 3}) * QvGeMatrix3d::scaling(2.5);
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) a[r][k] = ma.entry[r][k], b[r][k] = mb.entry[r][k];
  const QvGeMatrix3d expected = ma * mb;
  multMtx2Mtx(a, b, c);
  double again[4][4];
  std::copy(&a[0][0], &a[0][0] + 16, &again[0][0]);
  multMtx2Mtx(again, b, again);
  double right[4][4];
  std::copy(&b[0][0], &b[0][0] + 16, &right[0][0]);
  multMtx2Mtx(a, right, right);
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 4; ++k) {
      EXPECT_NEAR(c[r][k], expected.entry[r][k], 1e-14);
      EXPECT_EQ(again[r][k], c[r][k]);
      EXPECT_EQ(right[r][k], c[r][k]);
    }
  }
  InvalidParameterCounter reports;
  multMtx2Mtx(a, b, nullptr);
  multMtx2Mtx(nullptr, b, c);
  xq_idmat(nullptr);
  EXPECT_EQ(reports.value(), 3);
  EXPECT_NEAR(c[0][3], expected.entry[0][3], 1e-14);
}

}  // namespace
