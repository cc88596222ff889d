// Conversions between the world and the current user coordinate system.
#include <gtest/gtest.h>

#include <random>

#include "InvalidParameterCounter.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
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

TEST_F(XqUcsTransforms, PointsAndDisplacementsFollowTheUcs) {
  useTiltedUcs();
  for (int i = 0; i < 50; ++i) {
    const QvGePoint3d p = randomPoint();
    // Against the UCS matrix that was set.
    EXPECT_POINT_NEAR(toWorld(p), QvGePoint3d(p).transformBy(ucs_), kTol);
    QvGeVector3d v = p.asVector();
    EXPECT_POINT_NEAR(toWorld(p, true), QvGePoint3d::kOrigin + v.transformBy(ucs_), kTol);
    // There and back.
    EXPECT_POINT_NEAR(toUcs(toWorld(p)), p, kTol);
    EXPECT_POINT_NEAR(toWorld(toUcs(p)), p, kTol);
    EXPECT_POINT_NEAR(toUcs(toWorld(p, true), true), p, kTol);
    EXPECT_POINT_NEAR(toWorld(toUcs(p, true), true), p, kTol);
    // The drawing's UCS matrix is the same UCS.
    EXPECT_POINT_NEAR(ucsToWcs(p), toWorld(p), kTol);
  }
  // The result may overwrite the input.
  double inPlace[3] = {1, 2, 3};
  ASSERT_EQ(uc2wc(inPlace, inPlace, 0), 1);
  EXPECT_POINT_NEAR(pt(inPlace), QvGePoint3d(1, 2, 3).transformBy(ucs_), kTol);
}

TEST_F(XqUcsTransforms, MatricesAgreeWithSinglePoints) {
  useTiltedUcs();
  double w2u[4][4], u2w[4][4], product[4][4];
  wc2ucMatrix(w2u);
  uc2wcMatrix(u2w);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(u2w[3][k], 0.0);
  EXPECT_EQ(u2w[3][3], 1.0);
  for (int i = 0; i < 50; ++i) {
    const QvGePoint3d p = randomPoint();
    EXPECT_POINT_NEAR(apply(u2w, p), toWorld(p), kTol);
    EXPECT_POINT_NEAR(apply(w2u, p), toUcs(p), kTol);
    EXPECT_POINT_NEAR(apply(u2w, p, true), toWorld(p, true), kTol);
    EXPECT_POINT_NEAR(apply(w2u, p, true), toUcs(p, true), kTol);
  }
  multMtx2Mtx(w2u, u2w, product);
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(product[r][k], r == k ? 1.0 : 0.0, kTol);
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
