// Numeric primitives of the classic library (comparisons, angles, products) and the
// intersections and distances of lines.
#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "InvalidParameterCounter.h"
#include "sdk/ge/QvGeCurveCurveInt2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "xqcmdutil/XqLineIntersection.h"
#include "xqcmdutil/XqNumericPrimitives.h"

namespace {

constexpr double N = std::numeric_limits<double>::quiet_NaN();  // a value not checked
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
  const double kHuge = HUGE_VAL, tiny = std::numeric_limits<double>::denorm_min();
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
  EXPECT_EQ(crossProduct2d(QvGeVector2d(2, 3), QvGeVector2d(5, 7)), 2 * 7 - 3 * 5);

  // Each cross product, also when the output is an input; a null argument is reported.
  for (auto cross : {calcCrossProduct, qv_crossproduct, xq_crossproduct}) {
    double a[3] = {2, 3, 4}, b[3] = {5, 6, 7}, untouched[3] = {9, 9, 9};
    cross(a, b, b);
    EXPECT_EQ(b[0], 3 * 7 - 4 * 6);
    EXPECT_EQ(b[1], 4 * 5 - 2 * 7);
    EXPECT_EQ(b[2], 2 * 6 - 3 * 5);
    InvalidParameterCounter reports;
    cross(a, nullptr, untouched);
    cross(nullptr, b, untouched);
    cross(a, b, nullptr);
    EXPECT_EQ(reports.value(), 3);
    EXPECT_EQ(untouched[0], 9.0);
  }

  double copy[3];
  copySdsPoint(copy, q);
  EXPECT_EQ(copy[2], 15.0);
  copyOdGePoint3dToSdsPoint(copy, QvGePoint3d(7, 8, 9));
  EXPECT_EQ(copy[0], 7.0);
  InvalidParameterCounter reports;
  copySdsPoint(nullptr, q);
  EXPECT_EQ(IMqv_dist3d(p, nullptr), 0.0);
  EXPECT_EQ(reports.value(), 2);
}

constexpr double kUlps = -1;  // compare within four units in the last place

// Two segments a and b, the code expected, and the point expected (NaN where not checked),
// compared exactly, within four units in the last place, or within `tol`.
struct Crossing {
  const char* what;
  std::array<double, 3> a1, a2, b1, b2;
  int code;
  std::array<double, 3> at = {N, N, N};
  double tol = 0;
};

template <class Intersect, size_t n>
void checkCrossings(Intersect intersect, const Crossing (&cases)[n]) {
  for (const Crossing& c : cases) {
    SCOPED_TRACE(c.what);
    double out[3];
    EXPECT_EQ(intersect(c.a1.data(), c.a2.data(), c.b1.data(), c.b2.data(), out), c.code);
    for (int i = 0; i < 3; ++i) {
      if (std::isnan(c.at[i])) continue;
      if (c.tol == kUlps) {
        EXPECT_DOUBLE_EQ(out[i], c.at[i]) << "coordinate " << i;
      } else {
        EXPECT_NEAR(out[i], c.at[i], c.tol) << "coordinate " << i;
      }
    }
  }
}

TEST(XqLineIntersection, LineXlineInPlan) {
  const Crossing kInPlan[] = {
      {"on both: z along b", {0, 0, 0}, {2, 0, 4}, {1, -1, 10}, {1, 1, 10}, 3, {1, 0, 10}, kUlps},
      {"on b only", {0, 0, 0}, {1, 0, 2}, {2, -1, 0}, {2, 1, 0}, 2, {2, N, N}, kUlps},
      {"on a only: z along a", {0, 0, 0}, {2, 0, 4}, {1, 1, 0}, {1, 2, 0}, 1, {N, N, 2}, kUlps},
      {"on neither", {0, 0, 0}, {2, 0, 4}, {5, 5, 0}, {6, 7, 0}, 0},
      {"parallel", {0, 0, 0}, {2, 0, 4}, {0, 1, 0}, {2, 1, 0}, -1},
      {"degenerate", {0, 0, 0}, {0, 0, 0}, {1, -1, 10}, {1, 1, 10}, -1},
      {"meeting at an end point", {0, 0, 0}, {2, 0, 4}, {2, 0, 0}, {3, 5, 0}, 3},
      // The on-segment test bounds the product (c - a1)(c - a2) by 1e-7, not the distance.
      {"1e-8 past the end", {0, 0, 0}, {2, 0, 0}, {2 + 1e-8, -1, 0}, {2 + 1e-8, 1, 0}, 3},
      {"1e-6 past the end", {0, 0, 0}, {2, 0, 0}, {2 + 1e-6, -1, 0}, {2 + 1e-6, 1, 0}, 2},
      // Far from the origin an end point within 1e-11 relative counts as on the segment even
      // when the product is large.
      {"far, 1e-6 past", {0, 0, 0}, {1e6, 0, 0}, {1e6 + 1e-6, -1, 0}, {1e6 + 1e-6, 1, 0}, 3},
      {"far, 1e-4 past", {0, 0, 0}, {1e6, 0, 0}, {1e6 + 1e-4, -1, 0}, {1e6 + 1e-4, 1, 0}, 2},
      {"outside both", {0, 0, 0}, {2, 0, 0}, {5, 1, 10}, {5, 2, 30}, 0, {5, 0, -10}, kUlps},
      // Long, nearly parallel segments: the determinant is large, the slopes differ by 1e-11.
      {"nearly parallel", {0, 0, 0}, {1e6, 1e6, 0}, {0, 1, 0}, {1e6 + 1e-5, 1e6 + 1, 0}, -1},
  };
  checkCrossings(LineXline, kInPlan);
  const double a1[3] = {0, 0, 0}, a2[3] = {2, 0, 4}, b1[3] = {1, -1, 10}, b2[3] = {1, 1, 10};
  double out[3];
  InvalidParameterCounter reports;
  EXPECT_EQ(LineXline(a1, nullptr, b1, b2, out), -1);
  EXPECT_EQ(LineXline(a1, a2, b1, b2, nullptr), -1);
  EXPECT_EQ(reports.value(), 2);
}

TEST(XqLineIntersection, LineXlineAgreesWithTheGeometryLibrary) {
  // Random segments: code 3 exactly when the segments cross (away from near-misses), at the
  // same point.
  std::mt19937 rng(12);
  std::uniform_real_distribution<double> u(-10.0, 10.0);
  int both = 0;
  for (int i = 0; i < 2000; ++i) {
    const double a1[3] = {u(rng), u(rng), 0}, a2[3] = {u(rng), u(rng), 0};
    const double b1[3] = {u(rng), u(rng), 0}, b2[3] = {u(rng), u(rng), 0};
    const QvGeLineSeg2d sa(QvGePoint2d(a1[0], a1[1]), QvGePoint2d(a2[0], a2[1]));
    const QvGeLineSeg2d sb(QvGePoint2d(b1[0], b1[1]), QvGePoint2d(b2[0], b2[1]));
    const QvGeCurveCurveInt2d ints(sa, sb);
    double out[3];
    const int code = LineXline(a1, a2, b1, b2, out);
    if (ints.numIntPoints() == 1) {
      double pa, pb;
      ints.getIntParams(0, pa, pb);
      if (std::min({pa, 1 - pa, pb, 1 - pb}) < 1e-6) continue;  // too close to an end to judge
      EXPECT_EQ(code, 3);
      EXPECT_NEAR(out[0], ints.intPoint(0).x, 1e-9);
      EXPECT_NEAR(out[1], ints.intPoint(0).y, 1e-9);
      ++both;
    } else if (code == 3) {
      ADD_FAILURE() << "LineXline found a crossing the library did not";
    }
  }
  EXPECT_GT(both, 300);
}

TEST(XqLineIntersection, LineXline3d) {
  const Crossing kInSpace[] = {
      // Vertical segments.
      {"vertical, end to end", {1, 1, 0}, {1, 1, 1}, {1, 1, 1}, {1, 1, 2}, 3, {N, N, 1}},
      {"vertical, overlapping", {1, 1, 0}, {1, 1, 2}, {1, 1, 1}, {1, 1, 3}, -2, {N, N, 1}},
      {"vertical, apart", {1, 1, 0}, {1, 1, 2}, {1, 1, 5}, {1, 1, 6}, -3},
      {"vertical, side by side", {1, 1, 0}, {1, 1, 2}, {2, 1, 0}, {2, 1, 6}, -1},
      {"vertical, b below a", {1, 1, 2}, {1, 1, 1}, {1, 1, 0}, {1, 1, 1}, 3, {N, N, 1}},
      // Touching means within 1e-7, also far from the origin.
      {"5e-8 apart", {1, 1, 0}, {1, 1, 1000}, {1, 1, 1000 + 5e-8}, {1, 1, 2000}, 3, {N, N, 1000}},
      {"5e-5 apart", {1, 1, 0}, {1, 1, 1000}, {1, 1, 1000 + 5e-5}, {1, 1, 2000}, -3},
      // Collinear, not vertical.
      {"collinear, overlapping", {0, 0, 0}, {4, 4, 4}, {2, 2, 2}, {6, 6, 6}, -2, {2, N, N}},
      {"collinear, end to end", {0, 0, 0}, {4, 4, 4}, {4, 4, 4}, {7, 7, 7}, 3, {4, N, N}},
      {"collinear, apart", {0, 0, 0}, {4, 4, 4}, {5, 5, 5}, {7, 7, 7}, -3},
      {"collinear, b holds a", {0, 0, 0}, {4, 4, 4}, {-1, -1, -1}, {9, 9, 9}, -2, {0, N, N}},
      {"touching a's start", {0, 0, 0}, {4, 4, 4}, {-3, -3, -3}, {0, 0, 0}, 3, {0, N, N}},
      {"collinear, b's end inside a", {0, 0, 0}, {4, 4, 4}, {6, 6, 6}, {2, 2, 2}, -2, {2, N, N}},
      {"parallel above", {0, 0, 0}, {4, 4, 4}, {0, 0, 1}, {4, 4, 5}, -1},
      // General positions.
      {"crossing in space", {0, 0, 0}, {4, 0, 4}, {2, -2, 2}, {2, 2, 2}, 3, {2, N, 2}, kUlps},
      {"passing each other in z", {0, 0, 0}, {4, 0, 4}, {2, -2, 9}, {2, 2, 9}, -4},
      {"crossing beyond b's end", {0, 0, 0}, {4, 0, 4}, {2, 1, 2}, {2, 3, 2}, 1},
      {"one vertical plane", {0, 0, 0}, {4, 0, 4}, {0, 0, 4}, {4, 0, 0}, 3, {2, N, 2}, 1e-12},
      {"one vertical plane, on a only", {0, 0, 0}, {4, 0, 4}, {6, 0, -2}, {8, 0, -4}, 1},
      // A vertical b on a: flag a from the plan, flag b from b's height range; the bits follow
      // the arguments.
      {"vertical b on a", {0, 0, 0}, {4, 0, 4}, {1, 0, 0}, {1, 0, 5}, 3, {N, N, 1}, kUlps},
      {"vertical b above a", {0, 0, 0}, {4, 0, 4}, {1, 0, 3}, {1, 0, 5}, 1},
      {"vertical a above b", {1, 0, 3}, {1, 0, 5}, {0, 0, 0}, {4, 0, 4}, 2},
      {"vertical a on b", {1, 0, 0}, {1, 0, 5}, {0, 0, 0}, {4, 0, 4}, 3},
      {"vertical a beside b", {1, 1, 0}, {1, 1, 5}, {0, 0, 0}, {4, 0, 4}, -4},
      // a runs along y only: x is a's, y from b.
      {"a along y", {2, -2, 0}, {2, 2, 4}, {0, 0, 2}, {4, 0, 2}, 3, {2, 0, 2}, kUlps},
      {"a along y, b above", {2, -2, 0}, {2, 2, 4}, {0, 0, 3}, {4, 0, 3}, -4},
      // A miss of 5e-5 in height is a miss, also a thousand units up; a vertical b beyond a's
      // end takes the height along a, extended.
      {"5e-5 up high", {2, -2, 1000}, {2, 2, 1004}, {0, 0, 1002 + 5e-5}, {4, 0, 1002 + 5e-5}, -4},
      {"5e-8 up high", {2, -2, 1000}, {2, 2, 1004}, {0, 0, 1002 + 5e-8}, {4, 0, 1002 + 5e-8}, 3},
      {"b beyond a's end", {0, 0, 0}, {4, 0, 4}, {6, 0, 0}, {6, 0, 10}, 2, {6, N, 6}, kUlps},
  };
  checkCrossings(LineXline3d, kInSpace);
  const double a2[3] = {4, 0, 4}, b1[3] = {2, -2, 2}, b2[3] = {2, 2, 2};
  double out[3];
  InvalidParameterCounter reports;
  EXPECT_EQ(LineXline3d(nullptr, a2, b1, b2, out), -1);
  EXPECT_EQ(reports.value(), 1);
}

TEST(XqLineIntersection, PointToLineDistances) {
  const double a[3] = {0, 0, 0}, b[3] = {10, 0, 0};
  const double p[3] = {3, 4, 0};
  double dist = -1, foot[3];
  EXPECT_EQ(PtLnDist(p, a, b, &dist, foot), 1);
  EXPECT_DOUBLE_EQ(dist, 4.0);
  EXPECT_DOUBLE_EQ(foot[0], 3.0);
  const double q[3] = {-3, 4, 0};
  EXPECT_EQ(PtLnDist(q, a, b, &dist, nullptr), 0);
  EXPECT_EQ(PtLnDist(q, a, b, nullptr, nullptr), 0);
  EXPECT_EQ(PtLnDist(p, a, a, &dist, foot), -1);
  EXPECT_DOUBLE_EQ(foot[0], 0.0);
  EXPECT_DOUBLE_EQ(dist, 5.0);
  // A diagonal line: the tie between x and y goes to x.
  const double c[3] = {0, 0, 0}, d[3] = {1, 1, 0};
  const double r[3] = {0.5, 0.5, 3};
  EXPECT_EQ(PtLnDist(r, c, d, &dist, foot), 1);
  EXPECT_NEAR(dist, 3.0, 1e-15);
  InvalidParameterCounter reports;
  dist = 7;
  EXPECT_EQ(PtLnDist(nullptr, a, b, &dist, foot), -2);
  EXPECT_EQ(dist, 0.0);
  EXPECT_EQ(reports.value(), 1);

  // Along z the z coordinate decides whether the foot lies on the segment.
  const double za[3] = {0, 0, 0}, zb[3] = {0, 0, 10}, zp[3] = {1, 0, 12};
  EXPECT_EQ(PtLnDist(zp, za, zb, &dist, foot), 0);
  EXPECT_DOUBLE_EQ(foot[2], 12.0);
  EXPECT_DOUBLE_EQ(dist, 1.0);

  EXPECT_TRUE(isPtOnLine(p, p, b));
  // The detour through p is what counts: 1e-6 aside of the middle adds only 2e-13, 1e-5 aside
  // adds 2e-11.
  const double mid[3] = {5, 0, 0}, near[3] = {5, 1e-6, 0}, aside[3] = {5, 1e-5, 0};
  const double beyond[3] = {11, 0, 0};
  EXPECT_TRUE(isPtOnLine(mid, a, b));
  EXPECT_TRUE(isPtOnLine(near, a, b));
  EXPECT_FALSE(isPtOnLine(aside, a, b));
  EXPECT_FALSE(isPtOnLine(beyond, a, b));
}

}  // namespace
