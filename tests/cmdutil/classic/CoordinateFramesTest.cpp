// Coordinate frames: the arbitrary axis of a normal, plain 4x4 matrices, and conversions between
// the world and the current user coordinate system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "InvalidParameterCounter.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/XqArbitraryAxis.h"
#include "xqcmdutil/XqPlainMatrix.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

constexpr double kTol = 1e-12;

QvGePoint3d pt(const double* p) {
  return {p[0], p[1], p[2]};
}

// m (x, y, z, 1) or, for a displacement, m (x, y, z, 0).
QvGePoint3d apply(const double m[4][4], const QvGePoint3d& p, bool displacement = false) {
  QvGePoint3d out;
  for (int r = 0; r < 3; ++r)
    out[r] = m[r][0] * p.x + m[r][1] * p.y + m[r][2] * p.z + (displacement ? 0.0 : m[r][3]);
  return out;
}

QvGePoint3d toWorld(const QvGePoint3d& p, bool displacement = false) {
  const double in[3] = {p.x, p.y, p.z};
  double out[3];
  EXPECT_EQ(uc2wc(in, out, displacement ? 1 : 0), 1);
  return pt(out);
}

QvGePoint3d toUcs(const QvGePoint3d& p, bool displacement = false) {
  const double in[3] = {p.x, p.y, p.z};
  double out[3];
  EXPECT_EQ(wc2uc(in, out, displacement ? 1 : 0), 1);
  return pt(out);
}

void expectIdentity(const double m[4][4]) {
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) EXPECT_EQ(m[r][k], r == k ? 1.0 : 0.0) << r << "," << k;
}

QvGeVector3d vec(const double* v) {
  return {v[0], v[1], v[2]};
}

// The X axis of a normal's frame: world Y x z while both plan components of the unit normal
// are below 1/64, else world Z x z; within 1e-7 of +Z the world axes exactly.
TEST(XqArbitraryAxis, TheXAxisOnEitherSideOfTheBranches) {
  const auto yCrossZ = [](QvGeVector3d n) {
    n.normalize();
    return QvGeVector3d(n.z, 0, -n.x).normal();
  };
  const struct {
    QvGeVector3d normal, x;
    bool worldAxes;  // x, y and z exactly the world's (z downwards for a downward normal)
  } cases[] = {
      {{0, 0, 5}, {1, 0, 0}, true},
      {{5e-8, 0, 1}, {1, 0, 0}, true},
      {{0, 0, -1}, {-1, 0, 0}, true},
      {{2e-7, 0, 1}, yCrossZ({2e-7, 0, 1}), false},
      {{0.01, 0, 1}, yCrossZ({0.01, 0, 1}), false},
      {{0.0156, 0, 1}, yCrossZ({0.0156, 0, 1}), false},
      {{0.0157, 0, 1}, {0, 1, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.normal.x << ", " << c.normal.z);
    const double n[3] = {c.normal.x, c.normal.y, c.normal.z};
    double x[3], y[3], z[3];
    ASSERT_EQ(qv_arbaxis(n, x, y, z), 0);
    if (c.worldAxes) {
      const QvGeTol exactly(0, 0);
      EXPECT_TRUE(vec(x).isEqualTo(c.x, exactly));
      EXPECT_TRUE(vec(y).isEqualTo(QvGeVector3d::kYAxis, exactly));
      EXPECT_TRUE(vec(z).isEqualTo(QvGeVector3d(0, 0, c.normal.z > 0 ? 1 : -1), exactly));
    } else {
      const QvGeTol tol(1e-15, 1e-15);
      EXPECT_TRUE(vec(x).isEqualTo(c.x, tol));
      EXPECT_TRUE(vec(z).isEqualTo(c.normal.normal(), tol));
      EXPECT_TRUE(vec(y).isEqualTo(vec(z).crossProduct(c.x), tol));
    }
    QvGeVector3d gx, gy, gz;
    ASSERT_TRUE(vexaGetArbitraryAxis(c.normal, gx, gy, gz));
    const double hostTol = c.worldAxes ? 1e-7 : 1e-15;  // the host form has no shortcut
    EXPECT_TRUE(gx.isEqualTo(vec(x), QvGeTol(hostTol, hostTol)));
  }
  // A zero normal: -1, x and y untouched.
  double xs[3] = {7, 7, 7}, ys[3] = {8, 8, 8}, z[3];
  const double zero[3] = {0, 0, 1e-11}, n[3] = {0, 0, 1};
  EXPECT_EQ(qv_arbaxis(zero, xs, ys, z), -1);
  EXPECT_EQ(xs[0], 7.0);
  EXPECT_EQ(ys[0], 8.0);
  InvalidParameterCounter reports;
  EXPECT_EQ(qv_arbaxis(n, nullptr, ys, z), -1);
  EXPECT_EQ(reports.value(), 1);
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
}

TEST(XqPlainMatrix, IdentityAndProductsWithAliasing) {
  double a[4][4], b[4][4], c[4][4];
  xq_idmat(a);
  expectIdentity(a);
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

class XqUcsTransforms : public HostFixture {
 protected:
  // A UCS turned about a slanted axis and moved away from the world origin.
  void useTiltedUcs() {
    ucs_ = QvGeMatrix3d::rotation(0.7, QvGeVector3d(1, 2, 3));
    ucs_.entry[0][3] = 10.0;
    ucs_.entry[1][3] = -4.0;
    ucs_.entry[2][3] = 3.5;
    ASSERT_EQ(qvedSetCurrentUCS(ucs_), Vexa::eOk);
  }

  QvGePoint3d randomPoint() { return {coord_(rng_), coord_(rng_), coord_(rng_)}; }

  QvGeMatrix3d ucs_;  // UCS to world
  std::mt19937 rng_{7};
  std::uniform_real_distribution<double> coord_{-50.0, 50.0};
};

TEST_F(XqUcsTransforms, WorldUcsGivesIdentities) {
  double m[4][4];
  wc2ucMatrix(m);
  expectIdentity(m);
  uc2wcMatrix(m);
  expectIdentity(m);
  const QvGePoint3d p(3, -2, 7);
  EXPECT_EQ(ucsToWcs(p), p);
  // Only the offset is left to undo.
  QvGeMatrix3d origin;
  getUcsToWcsOriginMatrix(origin, QvGePoint3d(1, 2, 3), db());
  EXPECT_TRUE(origin.isEqualTo(QvGeMatrix3d::translation(QvGeVector3d(-1, -2, -3))));
}

// Points and displacements follow the UCS that was set, there and back, and the matrices
// agree with the single conversions.
TEST_F(XqUcsTransforms, PointsDisplacementsAndMatricesFollowTheUcs) {
  useTiltedUcs();
  double w2u[4][4], u2w[4][4], product[4][4];
  wc2ucMatrix(w2u);
  uc2wcMatrix(u2w);
  for (int i = 0; i < 50; ++i) {
    const QvGePoint3d p = randomPoint();
    EXPECT_POINT_NEAR(toWorld(p), QvGePoint3d(p).transformBy(ucs_), kTol);
    QvGeVector3d v = p.asVector();
    EXPECT_POINT_NEAR(toWorld(p, true), QvGePoint3d::kOrigin + v.transformBy(ucs_), kTol);
    for (bool displacement : {false, true}) {
      EXPECT_POINT_NEAR(toUcs(toWorld(p, displacement), displacement), p, kTol);
      EXPECT_POINT_NEAR(toWorld(toUcs(p, displacement), displacement), p, kTol);
      EXPECT_POINT_NEAR(apply(u2w, p, displacement), toWorld(p, displacement), kTol);
      EXPECT_POINT_NEAR(apply(w2u, p, displacement), toUcs(p, displacement), kTol);
    }
    // The drawing's UCS matrix is the same UCS.
    EXPECT_POINT_NEAR(ucsToWcs(p), toWorld(p), kTol);
  }
  for (int k = 0; k < 3; ++k) EXPECT_EQ(u2w[3][k], 0.0);
  EXPECT_EQ(u2w[3][3], 1.0);
  multMtx2Mtx(w2u, u2w, product);
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(product[r][k], r == k ? 1.0 : 0.0, kTol);
  // The result may overwrite the input.
  double inPlace[3] = {1, 2, 3};
  ASSERT_EQ(uc2wc(inPlace, inPlace, 0), 1);
  EXPECT_POINT_NEAR(pt(inPlace), QvGePoint3d(1, 2, 3).transformBy(ucs_), kTol);
}

TEST_F(XqUcsTransforms, WorldTransformationsActOnUcsCoordinates) {
  useTiltedUcs();
  const QvGeVector3d shift(4, -7, 2.5);
  const QvGeMatrix3d rotation =
      QvGeMatrix3d::rotation(1.1, QvGeVector3d(0, 1, 1), QvGePoint3d(5, 6, -1));
  double translate[4][4], rotate[4][4];
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 4; ++k) {
      translate[r][k] = QvGeMatrix3d::translation(shift).entry[r][k];
      rotate[r][k] = rotation.entry[r][k];
    }
  }
  TransDependOnUcs(translate);
  TransDependOnUcs(rotate);
  for (int i = 0; i < 50; ++i) {
    const QvGePoint3d p = randomPoint();
    // A world translation moves every UCS point by the same world vector.
    const QvGeVector3d moved = toWorld(apply(translate, p)) - toWorld(p);
    EXPECT_TRUE(moved.isEqualTo(shift, QvGeTol(1e-11, 1e-11))) << i;
    // In general: the world image of the moved UCS point is the world transformation's image.
    EXPECT_POINT_NEAR(toWorld(apply(rotate, p)), toWorld(p).transformBy(rotation), 1e-11);
  }
}

TEST_F(XqUcsTransforms, OriginMatrixCarriesTheShiftedUcsOntoTheWorld) {
  useTiltedUcs();
  const QvGePoint3d offset(2, 3, -1);
  QvGeMatrix3d m;
  getUcsToWcsOriginMatrix(m, offset, db());
  QvGePoint3d origin;
  QvGeVector3d x, y, z;
  ucs_.getCoordSystem(origin, x, y, z);
  const QvGePoint3d shifted = origin + offset.asVector();
  EXPECT_POINT_NEAR(QvGePoint3d(shifted).transformBy(m), QvGePoint3d::kOrigin, kTol);
  EXPECT_POINT_NEAR(QvGePoint3d(shifted + x).transformBy(m), QvGePoint3d(1, 0, 0), kTol);
  EXPECT_POINT_NEAR(QvGePoint3d(shifted + y).transformBy(m), QvGePoint3d(0, 1, 0), kTol);
  EXPECT_POINT_NEAR(QvGePoint3d(shifted + z).transformBy(m), QvGePoint3d(0, 0, 1), kTol);
  // Without an offset a world point goes to its UCS coordinates.
  QvGeMatrix3d plain;
  getUcsToWcsOriginMatrix(plain, QvGePoint3d::kOrigin, nullptr);
  for (int i = 0; i < 20; ++i) {
    const QvGePoint3d p = randomPoint();
    EXPECT_POINT_NEAR(QvGePoint3d(p).transformBy(plain), toUcs(p), 1e-11);
  }
}

// Clears the working database for a scope.
class NoWorkingDatabase {
 public:
  NoWorkingDatabase()
      : services_(*qvdbHostApplicationServices()), saved_(services_.workingDatabase()) {
    services_.setWorkingDatabase(nullptr);
  }
  ~NoWorkingDatabase() { services_.setWorkingDatabase(saved_); }
  NoWorkingDatabase(const NoWorkingDatabase&) = delete;
  NoWorkingDatabase& operator=(const NoWorkingDatabase&) = delete;

 private:
  QvDbHostApplicationServices& services_;
  QvDbDatabase* saved_;
};

TEST_F(XqUcsTransforms, NoWorkingDatabaseGivesIdentities) {
  useTiltedUcs();
  const QvGePoint3d p(3, -2, 7);
  ASSERT_FALSE(ucsToWcs(p).isEqualTo(p));
  NoWorkingDatabase none;
  EXPECT_EQ(ucsToWcs(p), p);
  QvGeMatrix3d m = QvGeMatrix3d::scaling(3.0);
  getUcsToWcsOriginMatrix(m, QvGePoint3d(1, 2, 3), nullptr);
  EXPECT_TRUE(m.isEqualTo(QvGeMatrix3d::kIdentity));
}

TEST(XqUcsTransformsWithoutHost, RefusalsAndNullArguments) {
  // No running host: the transforms fail and touch nothing; the matrices are identities.
  const double p[3] = {1, 2, 3};
  double out[3] = {9, 9, 9};
  EXPECT_EQ(uc2wc(p, out, 0), 0);
  EXPECT_EQ(wc2uc(p, out, 1), 0);
  EXPECT_EQ(out[0], 9.0);
  double m[4][4];
  for (auto& row : m)
    for (double& v : row) v = 5.0;
  wc2ucMatrix(m);
  expectIdentity(m);
  uc2wcMatrix(m);
  expectIdentity(m);
  double t[4][4];
  xq_idmat(t);
  t[0][3] = 4.0;
  TransDependOnUcs(t);
  EXPECT_EQ(t[0][3], 4.0);
  EXPECT_EQ(t[0][0], 1.0);

  InvalidParameterCounter reports;
  EXPECT_EQ(uc2wc(p, nullptr, 0), 0);
  EXPECT_EQ(wc2uc(nullptr, out, 0), 0);
  wc2ucMatrix(nullptr);
  uc2wcMatrix(nullptr);
  TransDependOnUcs(nullptr);
  EXPECT_EQ(reports.value(), 5);
}

}  // namespace
