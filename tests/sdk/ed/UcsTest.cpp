#include <gtest/gtest.h>

#include <cmath>

#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"

namespace {

class UcsTest : public HostFixture {
 protected:
  // A UCS turned about a slanted axis and moved away from the origin.
  void useSlantedUcs() {
    const QvGeMatrix3d m = QvGeMatrix3d::translation(QvGeVector3d(10, -5, 2)) *
                           QvGeMatrix3d::rotation(0.7, QvGeVector3d(1, 2, 3).normal());
    ASSERT_EQ(qvedSetCurrentUCS(m), Vexa::eOk);
  }
  static QvRbListPtr system(int code) { return QvRbListPtr(qvutBuildList(kRbShort, code, 0)); }
};

TEST_F(UcsTest, TransAgreesExactlyWithTheUcsMatrixAndItsVariables) {
  useSlantedUcs();
  QvGeMatrix3d m;
  ASSERT_EQ(qvedGetCurrentUCS(m), Vexa::eOk);
  // The matrix is made of the three variables.
  const auto org = vars().get(L"UCSORG")->pointValue();
  const auto xdir = vars().get(L"UCSXDIR")->pointValue();
  const auto ydir = vars().get(L"UCSYDIR")->pointValue();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m.entry[i][3], org[i]);
    EXPECT_EQ(m.entry[i][0], xdir[i]);
    EXPECT_EQ(m.entry[i][1], ydir[i]);
  }
  const QvGePoint3d p(1.5, -2.25, 4);
  QvGePoint3d w;
  ASSERT_EQ(qvedTrans(p, kQvTransUcs, kQvTransWorld, false, w), kQvNormal);
  const QvGePoint3d expected = QvGePoint3d(p).transformBy(m);
  EXPECT_POINT_NEAR(w, expected, 0.0);  // exactly
  // Back again, and the same through the classic form with result in place.
  double q[3] = {w.x, w.y, w.z};
  const QvRbListPtr world = system(kQvTransWorld);
  const QvRbListPtr ucs = system(kQvTransUcs);
  ASSERT_EQ(qvedTrans(q, world.get(), ucs.get(), 0, q), kQvNormal);
  EXPECT_POINT_NEAR(QvGePoint3d(q[0], q[1], q[2]), p, 1e-12);
  // A displacement is turned, not moved: its length is kept.
  QvGePoint3d v;
  ASSERT_EQ(qvedTrans(QvGePoint3d(3, 4, 0), kQvTransUcs, kQvTransWorld, true, v), kQvNormal);
  EXPECT_NEAR(v.asVector().length(), 5.0, 1e-12);
  const QvGeVector3d turned = QvGeVector3d(3, 4, 0).transformBy(m);
  EXPECT_VECTOR_NEAR(v.asVector(), turned, 1e-12);
}

TEST_F(UcsTest, ExtrusionDirectionsGiveTheArbitraryAxisFrame) {
  // Normal along world X: the frame's X axis is Z x N = world Y, its Y axis N x Ax = world Z.
  resbuf ocs{};
  ocs.type = kRbPoint3d;
  ocs.value.point[0] = 2;  // not a unit vector
  const QvRbListPtr world = system(kQvTransWorld);
  const double p[3] = {1, 2, 3};
  double w[3];
  ASSERT_EQ(qvedTrans(p, &ocs, world.get(), 0, w), kQvNormal);
  EXPECT_POINT_NEAR(QvGePoint3d(w[0], w[1], w[2]), QvGePoint3d(3, 1, 2), 1e-15);
  // Near world Z (within 1/64), Ax = Wy x N: for N = Z that is world X, so the frame is world.
  ocs.value.point[0] = 0;
  ocs.value.point[2] = 1;
  ASSERT_EQ(qvedTrans(p, world.get(), &ocs, 0, w), kQvNormal);
  EXPECT_POINT_NEAR(QvGePoint3d(w[0], w[1], w[2]), QvGePoint3d(1, 2, 3), 1e-15);
}

TEST_F(UcsTest, BadSystemsAndMatricesAreRefused) {
  const double p[3] = {1, 2, 3};
  double out[3] = {7, 7, 7};
  const QvRbListPtr world = system(kQvTransWorld);
  const QvRbListPtr display = system(2);
  resbuf zero{};
  zero.type = kRbPoint3d;
  resbuf text{};
  text.type = kRbString;
  EXPECT_EQ(qvedTrans(p, display.get(), world.get(), 0, out), kQvError);
  EXPECT_EQ(qvedTrans(p, world.get(), &zero, 0, out), kQvError);
  EXPECT_EQ(qvedTrans(p, &text, world.get(), 0, out), kQvError);
  EXPECT_EQ(qvedTrans(nullptr, world.get(), world.get(), 0, out), kQvError);
  EXPECT_EQ(qvedTrans(p, world.get(), world.get(), 0, nullptr), kQvError);
  EXPECT_EQ(out[0], 7.0);

  useSlantedUcs();
  QvGeMatrix3d before;
  qvedGetCurrentUCS(before);
  // Scaled, mirrored (left-handed) and skewed matrices make no UCS.
  EXPECT_EQ(qvedSetCurrentUCS(QvGeMatrix3d::scaling(2.0)), Vexa::eInvalidInput);
  QvGeMatrix3d mirrored;
  mirrored.setCoordSystem(QvGePoint3d(0, 0, 0), QvGeVector3d(1, 0, 0), QvGeVector3d(0, 1, 0),
                          QvGeVector3d(0, 0, -1));
  EXPECT_EQ(qvedSetCurrentUCS(mirrored), Vexa::eInvalidInput);
  QvGeMatrix3d skewed;
  skewed.setCoordSystem(QvGePoint3d(0, 0, 0), QvGeVector3d(1, 0, 0),
                        QvGeVector3d(0.1, 1, 0).normal(), QvGeVector3d(0, 0, 1));
  EXPECT_EQ(qvedSetCurrentUCS(skewed), Vexa::eInvalidInput);
  QvGeMatrix3d after;
  qvedGetCurrentUCS(after);
  EXPECT_TRUE(after.isEqualTo(before));
}

// Setting a UCS from a matrix asks whether its axes are at right angles; building one from two
// directions asks whether they are apart. Both answer by the one shape tolerance.
TEST_F(UcsTest, AxesAreJudgedByTheShapeTolerance) {
  const double tol = QvGePrecision::kRelative;
  const QvGePoint3d origin(3, 4, 5);
  const QvGeVector3d x = QvGeVector3d::kXAxis;
  for (const double skew : {tol / 4, tol * 4}) {
    SCOPED_TRACE(skew);
    const QvGeVector3d leaning = QvGeVector3d(skew, 1, 0).normal();
    QvGeMatrix3d m;
    m.setCoordSystem(origin, x, leaning, x.crossProduct(leaning));
    EXPECT_EQ(qvedSetCurrentUCS(m) == Vexa::eOk, skew < tol);
    EXPECT_EQ(VexaUcs::fromAxes(origin, x, QvGeVector3d(1, skew, 0)).has_value(), skew > tol);
  }
}

TEST(UcsNoHostTest, NothingWithoutAHost) {
  QvGeMatrix3d m;
  EXPECT_EQ(qvedGetCurrentUCS(m), Vexa::eNotApplicable);
  QvGePoint3d r;
  EXPECT_EQ(qvedTrans(QvGePoint3d(), kQvTransWorld, kQvTransUcs, false, r), kQvError);
}

}  // namespace
