#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "InvalidParameterCounter.h"
#include "sdk/ge/QvGeCurveCurveInt2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "xqcmdutil/XqLineIntersection.h"

namespace {

constexpr double N = std::numeric_limits<double>::quiet_NaN();  // a coordinate not checked
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
