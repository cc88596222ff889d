#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "InvalidParameterCounter.h"
#include "sdk/ge/QvGeCurveCurveInt2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "xqcmdutil/XqLineIntersection.h"

namespace {

TEST(XqLineIntersection, LineXlineInPlan) {
  double out[3];
  const double a1[3] = {0, 0, 0}, a2[3] = {2, 0, 4};
  const double b1[3] = {1, -1, 10}, b2[3] = {1, 1, 10};
  EXPECT_EQ(LineXline(a1, a2, b1, b2, out), 3);
  EXPECT_DOUBLE_EQ(out[0], 1.0);
  EXPECT_DOUBLE_EQ(out[1], 0.0);
  EXPECT_DOUBLE_EQ(out[2], 10.0);  // on both: z along b
  const double c1[3] = {0, 0, 0}, c2[3] = {1, 0, 2};
  const double d1[3] = {2, -1, 0}, d2[3] = {2, 1, 0};
  EXPECT_EQ(LineXline(c1, c2, d1, d2, out), 2);
  EXPECT_DOUBLE_EQ(out[0], 2.0);
  // On a only: z along a.
  const double e1[3] = {1, 1, 0}, e2[3] = {1, 2, 0};
  EXPECT_EQ(LineXline(a1, a2, e1, e2, out), 1);
  EXPECT_DOUBLE_EQ(out[2], 2.0);
  const double f1[3] = {5, 5, 0}, f2[3] = {6, 7, 0};
  EXPECT_EQ(LineXline(a1, a2, f1, f2, out), 0);
  // Parallel and degenerate.
  const double g1[3] = {0, 1, 0}, g2[3] = {2, 1, 0};
  EXPECT_EQ(LineXline(a1, a2, g1, g2, out), -1);
  EXPECT_EQ(LineXline(a1, a1, b1, b2, out), -1);
  // Meeting at an end point counts as on the segment.
  const double h1[3] = {2, 0, 0}, h2[3] = {3, 5, 0};
  EXPECT_EQ(LineXline(a1, a2, h1, h2, out), 3);
  InvalidParameterCounter reports;
  EXPECT_EQ(LineXline(a1, nullptr, b1, b2, out), -1);
  EXPECT_EQ(LineXline(a1, a2, b1, b2, nullptr), -1);
  EXPECT_EQ(reports.value(), 2);
}

TEST(XqLineIntersection, LineXlineToleranceAndHeightBoundaries) {
  double out[3];
  const double a1[3] = {0, 0, 0}, a2[3] = {2, 0, 0};
  // The on-segment test bounds the product (c - a1)(c - a2) by 1e-7, not the distance.
  const double in1[3] = {2 + 1e-8, -1, 0}, in2[3] = {2 + 1e-8, 1, 0};
  EXPECT_EQ(LineXline(a1, a2, in1, in2, out), 3);
  const double past1[3] = {2 + 1e-6, -1, 0}, past2[3] = {2 + 1e-6, 1, 0};
  EXPECT_EQ(LineXline(a1, a2, past1, past2, out), 2);
  // Far from the origin an end point within 1e-11 relative counts as on the segment even when
  // the product is large.
  const double l1[3] = {0, 0, 0}, l2[3] = {1e6, 0, 0};
  const double e1[3] = {1e6 + 1e-6, -1, 0}, e2[3] = {1e6 + 1e-6, 1, 0};
  EXPECT_EQ(LineXline(l1, l2, e1, e2, out), 3);
  const double f1[3] = {1e6 + 1e-4, -1, 0}, f2[3] = {1e6 + 1e-4, 1, 0};
  EXPECT_EQ(LineXline(l1, l2, f1, f2, out), 2);
  // Outside both segments the height comes from b, extended.
  const double b1[3] = {5, 1, 10}, b2[3] = {5, 2, 30};
  EXPECT_EQ(LineXline(a1, a2, b1, b2, out), 0);
  EXPECT_DOUBLE_EQ(out[0], 5.0);
  EXPECT_DOUBLE_EQ(out[1], 0.0);
  EXPECT_DOUBLE_EQ(out[2], -10.0);
  // Long, nearly parallel segments: the determinant is large, the slopes differ by 1e-11.
  const double n1[3] = {0, 0, 0}, n2[3] = {1e6, 1e6, 0};
  const double m1[3] = {0, 1, 0}, m2[3] = {1e6 + 1e-5, 1e6 + 1, 0};
  EXPECT_EQ(LineXline(n1, n2, m1, m2, out), -1);
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

TEST(XqLineIntersection, LineXline3dVerticalAndCollinearSegments) {
  double out[3];
  const double v1[3] = {1, 1, 0}, v2[3] = {1, 1, 1}, w1[3] = {1, 1, 1}, w2[3] = {1, 1, 2};
  EXPECT_EQ(LineXline3d(v1, v2, w1, w2, out), 3);
  EXPECT_EQ(out[2], 1.0);
  const double x1[3] = {1, 1, 0}, x2[3] = {1, 1, 2}, y1[3] = {1, 1, 1}, y2[3] = {1, 1, 3};
  EXPECT_EQ(LineXline3d(x1, x2, y1, y2, out), -2);
  EXPECT_EQ(out[2], 1.0);
  const double z1[3] = {1, 1, 5}, z2[3] = {1, 1, 6};
  EXPECT_EQ(LineXline3d(x1, x2, z1, z2, out), -3);
  const double far1[3] = {2, 1, 0}, far2[3] = {2, 1, 6};
  EXPECT_EQ(LineXline3d(x1, x2, far1, far2, out), -1);

  // Collinear, not vertical: overlapping, touching end to end, apart, and one holding the other.
  const double a1[3] = {0, 0, 0}, a2[3] = {4, 4, 4};
  const double b1[3] = {2, 2, 2}, b2[3] = {6, 6, 6};
  EXPECT_EQ(LineXline3d(a1, a2, b1, b2, out), -2);
  EXPECT_EQ(out[0], 2.0);
  const double c1[3] = {4, 4, 4}, c2[3] = {7, 7, 7};
  EXPECT_EQ(LineXline3d(a1, a2, c1, c2, out), 3);
  EXPECT_EQ(out[0], 4.0);
  const double d1[3] = {5, 5, 5}, d2[3] = {7, 7, 7};
  EXPECT_EQ(LineXline3d(a1, a2, d1, d2, out), -3);
  const double e1[3] = {-1, -1, -1}, e2[3] = {9, 9, 9};
  EXPECT_EQ(LineXline3d(a1, a2, e1, e2, out), -2);  // b holds all of a
  EXPECT_EQ(out[0], 0.0);
  const double f1[3] = {0, 0, 1}, f2[3] = {4, 4, 5};
  EXPECT_EQ(LineXline3d(a1, a2, f1, f2, out), -1);  // parallel above
}

TEST(XqLineIntersection, LineXline3dGeneralCases) {
  double out[3];
  // Crossing in space.
  const double a1[3] = {0, 0, 0}, a2[3] = {4, 0, 4};
  const double b1[3] = {2, -2, 2}, b2[3] = {2, 2, 2};
  EXPECT_EQ(LineXline3d(a1, a2, b1, b2, out), 3);
  EXPECT_DOUBLE_EQ(out[0], 2.0);
  EXPECT_DOUBLE_EQ(out[2], 2.0);
  // The plan lines meet, the segments pass each other in z.
  const double c1[3] = {2, -2, 9}, c2[3] = {2, 2, 9};
  EXPECT_EQ(LineXline3d(a1, a2, c1, c2, out), -4);
  // The lines cross beyond b's end.
  const double d1[3] = {2, 1, 2}, d2[3] = {2, 3, 2};
  EXPECT_EQ(LineXline3d(a1, a2, d1, d2, out), 1);
  // In one vertical plane, crossing at an angle: found (the plan lines coincide).
  const double e1[3] = {0, 0, 4}, e2[3] = {4, 0, 0};
  EXPECT_EQ(LineXline3d(a1, a2, e1, e2, out), 3);
  EXPECT_NEAR(out[0], 2.0, 1e-12);
  EXPECT_NEAR(out[2], 2.0, 1e-12);
  const double f1[3] = {6, 0, -2}, f2[3] = {8, 0, -4};
  EXPECT_EQ(LineXline3d(a1, a2, f1, f2, out), 1);  // where their lines cross, on a only
  // A vertical b on a: flag a from the plan, flag b from b's height range.
  const double g1[3] = {1, 0, 0}, g2[3] = {1, 0, 5};
  EXPECT_EQ(LineXline3d(a1, a2, g1, g2, out), 3);
  EXPECT_DOUBLE_EQ(out[2], 1.0);
  const double h1[3] = {1, 0, 3}, h2[3] = {1, 0, 5};
  EXPECT_EQ(LineXline3d(a1, a2, h1, h2, out), 1);
  // The same with the vertical segment first: the bits follow the arguments.
  EXPECT_EQ(LineXline3d(h1, h2, a1, a2, out), 2);
  EXPECT_EQ(LineXline3d(g1, g2, a1, a2, out), 3);
  const double off1[3] = {1, 1, 0}, off2[3] = {1, 1, 5};
  EXPECT_EQ(LineXline3d(off1, off2, a1, a2, out), -4);
  InvalidParameterCounter reports;
  EXPECT_EQ(LineXline3d(nullptr, a2, b1, b2, out), -1);
  EXPECT_EQ(reports.value(), 1);
}

TEST(XqLineIntersection, LineXline3dBoundaries) {
  double out[3] = {0, 0, 0};
  // Vertical, b below a (either direction): they touch at b's upper end.
  const double a1[3] = {1, 1, 2}, a2[3] = {1, 1, 1}, b1[3] = {1, 1, 0}, b2[3] = {1, 1, 1};
  EXPECT_EQ(LineXline3d(a1, a2, b1, b2, out), 3);
  EXPECT_EQ(out[2], 1.0);
  // Touching means within 1e-7, also far from the origin.
  const double h1[3] = {1, 1, 0}, h2[3] = {1, 1, 1000};
  const double t1[3] = {1, 1, 1000 + 5e-8}, t2[3] = {1, 1, 2000};
  EXPECT_EQ(LineXline3d(h1, h2, t1, t2, out), 3);
  EXPECT_EQ(out[2], 1000.0);
  const double g1[3] = {1, 1, 1000 + 5e-5}, g2[3] = {1, 1, 2000};
  EXPECT_EQ(LineXline3d(h1, h2, g1, g2, out), -3);

  // Collinear: touching at a's start, and only b's second end inside a.
  const double c1[3] = {0, 0, 0}, c2[3] = {4, 4, 4};
  const double before1[3] = {-3, -3, -3}, before2[3] = {0, 0, 0};
  EXPECT_EQ(LineXline3d(c1, c2, before1, before2, out), 3);
  EXPECT_EQ(out[0], 0.0);
  const double r1[3] = {6, 6, 6}, r2[3] = {2, 2, 2};
  EXPECT_EQ(LineXline3d(c1, c2, r1, r2, out), -2);
  EXPECT_EQ(out[0], 2.0);

  // a runs along y only: x is a's, y from b.
  const double y1[3] = {2, -2, 0}, y2[3] = {2, 2, 4};
  const double x1[3] = {0, 0, 2}, x2[3] = {4, 0, 2};
  EXPECT_EQ(LineXline3d(y1, y2, x1, x2, out), 3);
  EXPECT_DOUBLE_EQ(out[0], 2.0);
  EXPECT_DOUBLE_EQ(out[1], 0.0);
  EXPECT_DOUBLE_EQ(out[2], 2.0);
  const double above1[3] = {0, 0, 3}, above2[3] = {4, 0, 3};
  EXPECT_EQ(LineXline3d(y1, y2, above1, above2, out), -4);
  // A miss of 5e-5 in height is a miss, also a thousand units up.
  const double u1[3] = {2, -2, 1000}, u2[3] = {2, 2, 1004};
  const double w1[3] = {0, 0, 1002 + 5e-5}, w2[3] = {4, 0, 1002 + 5e-5};
  EXPECT_EQ(LineXline3d(u1, u2, w1, w2, out), -4);
  const double v1[3] = {0, 0, 1002 + 5e-8}, v2[3] = {4, 0, 1002 + 5e-8};
  EXPECT_EQ(LineXline3d(u1, u2, v1, v2, out), 3);

  // A vertical b beyond a's end, on a's line: the height along a, extended.
  const double s1[3] = {0, 0, 0}, s2[3] = {4, 0, 4};
  const double p1[3] = {6, 0, 0}, p2[3] = {6, 0, 10};
  EXPECT_EQ(LineXline3d(s1, s2, p1, p2, out), 2);
  EXPECT_DOUBLE_EQ(out[0], 6.0);
  EXPECT_DOUBLE_EQ(out[2], 6.0);
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
