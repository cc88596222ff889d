#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "InvalidParameterCounter.h"
#include "xqcmdutil/XqNumericPrimitives.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

TEST(XqNumericPrimitives, RealEqualIsRelativeToTheSecondValue) {
  EXPECT_TRUE(IMvexaRealEqual(1e-12, 0, 1e-11));
  EXPECT_TRUE(IMvexaRealEqual(0, 1e-12, 1e-11));
  EXPECT_TRUE(IMvexaRealEqual(100, 100.0000001, 1e-7));  // relative, though 1e-7 apart
  EXPECT_FALSE(IMvexaRealEqual(100, 100.00002, 1e-7));
  // Not symmetric: the reference decides the branch.
  EXPECT_TRUE(IMvexaRealEqual(1.0, 1.0 + 2e-7, 1.99999998e-7));
  EXPECT_FALSE(IMvexaRealEqual(1.0 + 2e-7, 1.0, 1.99999998e-7));
  EXPECT_FALSE(IMvexaRealEqual(std::nan(""), 1.0, 1e-7));
  EXPECT_FALSE(IMvexaRealEqual(1.0, std::nan(""), 1e-7));
}

TEST(XqNumericPrimitives, PointEqualityUsesAStrictRelativeBound) {
  const double q[3] = {100, 0, -5};
  const double p[3] = {100 * (1 + 1e-7), 1e-12, -5};
  // At exactly the tolerance IMvexaRealEqual accepts; the point rule is strict.
  const double tol = std::ldexp(1.0, -20);
  const double one[3] = {1, 1, 1}, ratio[3] = {1 + tol, 1, 1};
  EXPECT_TRUE(IMvexaRealEqual(ratio[0], one[0], tol));
  EXPECT_FALSE(IMvexaPointEqual(ratio, one, tol));
  EXPECT_FALSE(isPointEqual(ratio, one, tol));
  EXPECT_TRUE(IMvexaPointEqual(p, q, 2e-7));
  EXPECT_TRUE(isPointEqual(p, q, 2e-7));
  const double off[3] = {100, 2e-7, -5};
  EXPECT_FALSE(IMvexaPointEqual(off, q, 1e-7));
  EXPECT_FALSE(isPointEqual(off, q, 1e-7));
  InvalidParameterCounter reports;
  EXPECT_FALSE(IMvexaPointEqual(nullptr, q, 1e-7));
  EXPECT_FALSE(isPointEqual(p, nullptr, 1e-7));
  EXPECT_EQ(reports.value(), 2);
}

TEST(XqNumericPrimitives, AngleEquality) {
  EXPECT_FALSE(IMvexaAngleEqual(-kTwoPi, 0, 1e-10));  // -2pi reduces to 2pi
  EXPECT_TRUE(IMvexaAngleEqual(kTwoPi, 0, 1e-10));
  EXPECT_TRUE(IMvexaAngleEqual(-1.0, kTwoPi - 1.0, 1e-12));
  EXPECT_TRUE(IMvexaAngleEqual(3 * kTwoPi + 0.5, 0.5, 1e-12));
  EXPECT_FALSE(IMvexaAngleEqual(0.5, 0.6, 1e-3));
}

TEST(XqNumericPrimitives, ValidReals) {
  EXPECT_EQ(qv_isvalid_real(0.0), 1);
  EXPECT_EQ(qv_isvalid_real(-0.0), 1);
  EXPECT_EQ(qv_isvalid_real(DBL_MIN), 1);
  EXPECT_EQ(qv_isvalid_real(-DBL_MAX), 1);
  EXPECT_EQ(qv_isvalid_real(std::numeric_limits<double>::denorm_min()), 0);
  EXPECT_EQ(qv_isvalid_real(-DBL_MIN / 2), 0);
  EXPECT_EQ(qv_isvalid_real(HUGE_VAL), 0);
  EXPECT_EQ(qv_isvalid_real(-HUGE_VAL), 0);
  EXPECT_EQ(qv_isvalid_real(std::nan("")), 0);
}

// qv_normang on a start (and an end, unless NaN is given for none), and what must come out:
// NaN where not checked, compared within the tolerance of each (0: exactly).
struct Normalised {
  double start, end;
  double wantStart, wantEnd;
  double tolStart = 0, tolEnd = 0;
};

TEST(XqNumericPrimitives, NormalisedAngles) {
  const double N = std::nan(""), kHuge = HUGE_VAL, tiny = std::numeric_limits<double>::denorm_min();
  const Normalised cases[] = {
      {7, 0.5, 7 - kTwoPi, 0.5 + kTwoPi, 1e-15, 1e-15},
      {7, 1, N, 1.0},
      {2e6, 3.0, 0.0, 3.0},
      {kHuge, N, 0.0, N},
      // Just below a full turn, the start comes round to (almost) zero.
      {kTwoPi - 1e-11, N, -1e-11, N, 1e-15},
      // Equal angles a full turn apart stay put.
      {1.0, 1.0 + kTwoPi, N, 1.0, 0, 1e-12},
      // A full circle keeps its end a turn after the start: the end may reach 2pi, the start not.
      {0.0, kTwoPi, 0.0, kTwoPi},
      {kTwoPi, kTwoPi, 0.0, kTwoPi, 1e-15},
      // Within eps below zero nothing is added; further below a turn is.
      {-5e-11, N, -5e-11, N},
      {-2e-10, N, kTwoPi - 2e-10, N, 1e-15},
      // Within eps above a turn the end stays; the start comes round.
      {1.0, kTwoPi + 5e-11, N, kTwoPi + 5e-11},
      {kTwoPi + 5e-11, N, 5e-11, N, 1e-15},
      // Beyond 1e6 in size the angle becomes 0 (an end is zeroed, not brought after the start).
      {1.0, -1e6 - 1.0, 1.0, 0.0},
      {-1e6 - 1.0, 2.0, 0.0, 2.0},
      // A subnormal start is no valid real.
      {tiny, 3.0, 0.0, 3.0},
  };
  for (const Normalised& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << ", end " << c.end);
    double start = c.start, end = c.end;
    qv_normang(&start, std::isnan(c.end) ? nullptr : &end);
    if (!std::isnan(c.wantStart)) {
      EXPECT_NEAR(start, c.wantStart, c.tolStart);
    }
    if (!std::isnan(c.wantEnd)) {
      EXPECT_NEAR(end, c.wantEnd, c.tolEnd);
    }
  }
  // A NaN end becomes 0.
  double start = 1.0, end = std::nan("");
  qv_normang(&start, &end);
  EXPECT_EQ(end, 0.0);
  // 1e6 in size is still reduced.
  start = 1e6, end = -1e6;
  qv_normang(&start, &end);
  EXPECT_NEAR(std::remainder(start - 1e6, kTwoPi), 0.0, 1e-8);
  EXPECT_GE(start, 0.0);
  EXPECT_LT(start, kTwoPi);
  EXPECT_NEAR(std::remainder(end + 1e6, kTwoPi), 0.0, 1e-8);
  EXPECT_GE(end, start);

  // Random angles: whole turns change, the ranges hold, the end lies at or after the start.
  std::mt19937 rng(8);
  std::uniform_real_distribution<double> u(-9e5, 9e5);
  for (int i = 0; i < 2000; ++i) {
    const double s0 = u(rng), e0 = u(rng) * (i % 2 ? 1e-3 : 1.0);
    double s = s0, e = e0;
    qv_normang(&s, &e);
    EXPECT_GE(s, -1e-10);
    EXPECT_LT(s, kTwoPi - 1e-10);
    EXPECT_GE(e, -1e-10);
    EXPECT_LT(e, 2 * kTwoPi + 1e-10);
    EXPECT_TRUE(s <= e || IMvexaAngleEqual(e, s, 1e-10));
    const double turnsS = (s - s0) / kTwoPi, turnsE = (e - e0) / kTwoPi;
    EXPECT_NEAR(turnsS, std::round(turnsS), 1e-9);
    EXPECT_NEAR(turnsE, std::round(turnsE), 1e-9);
  }
  InvalidParameterCounter reports;
  qv_normang(nullptr, &end);
  EXPECT_EQ(reports.value(), 1);
}

TEST(XqNumericPrimitives, CastsDistancesCrossProductsAndCopies) {
  EXPECT_EQ(IMshortCast(70000), 4464);
  EXPECT_EQ(IMshortCast(32768), -32768);
  EXPECT_EQ(IMshortCast(-1), -1);
  const double p[3] = {1, 2, 3}, q[3] = {4, 6, 15};
  EXPECT_DOUBLE_EQ(IMqv_dist3d(p, q), 13.0);

  double a[3] = {1, 0, 0}, b[3] = {0, 1, 0}, out[3];
  calcCrossProduct(a, b, out);
  EXPECT_EQ(out[2], 1.0);
  // The output may be an input.
  qv_crossproduct(a, b, a);
  EXPECT_EQ(a[0], 0.0);
  EXPECT_EQ(a[2], 1.0);
  double c[3] = {2, 3, 4}, d[3] = {5, 6, 7};
  xq_crossproduct(c, d, d);
  EXPECT_EQ(d[0], 3 * 7 - 4 * 6);
  EXPECT_EQ(d[1], 4 * 5 - 2 * 7);
  EXPECT_EQ(d[2], 2 * 6 - 3 * 5);
  EXPECT_EQ(crossProduct2d(QvGeVector2d(2, 3), QvGeVector2d(5, 7)), 2 * 7 - 3 * 5);

  InvalidParameterCounter reports;
  double untouched[3] = {9, 9, 9};
  qv_crossproduct(c, nullptr, untouched);
  qv_crossproduct(c, d, nullptr);
  calcCrossProduct(nullptr, d, untouched);
  xq_crossproduct(c, d, nullptr);
  EXPECT_EQ(reports.value(), 4);
  EXPECT_EQ(untouched[0], 9.0);

  double copy[3];
  copySdsPoint(copy, q);
  EXPECT_EQ(copy[2], 15.0);
  copyOdGePoint3dToSdsPoint(copy, QvGePoint3d(7, 8, 9));
  EXPECT_EQ(copy[0], 7.0);
  copySdsPoint(nullptr, q);
  EXPECT_EQ(IMqv_dist3d(p, nullptr), 0.0);
  EXPECT_EQ(reports.value(), 6);
}

}  // namespace
