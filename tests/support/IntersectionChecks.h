#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "sdk/ge/QvGeCurveCurveInt3d.h"

// Checks of intersection results against independent truth.
namespace intcheck {

// The points found match the expected ones (any order), within tol relative to their size.
inline void expectPoints(const QvGeCurveCurveInt3d& ints, std::vector<QvGePoint3d> expected,
                         double relTol = 1e-9) {
  ASSERT_EQ(ints.status(), Vexa::eOk);
  ASSERT_EQ(ints.numIntPoints(), static_cast<int>(expected.size()));
  for (int i = 0; i < ints.numIntPoints(); ++i) {
    const QvGePoint3d p = ints.intPoint(i);
    bool found = false;
    for (auto it = expected.begin(); it != expected.end(); ++it) {
      const double scale = std::max(1.0, it->asVector().length());
      if (p.distanceTo(*it) <= relTol * scale) {
        expected.erase(it);
        found = true;
        break;
      }
    }
    EXPECT_TRUE(found) << "unexpected point " << p.x << " " << p.y << " " << p.z;
  }
}

// Every reported point is the curves' own point at its parameters, on both curves, and the
// list is ordered by the first parameter.
inline void expectConsistent(const QvGeCurveCurveInt3d& ints, double tol = 1e-9) {
  for (int i = 0; i < ints.numIntPoints(); ++i) {
    double p1, p2;
    ints.getIntParams(i, p1, p2);
    EXPECT_LE(ints.curve1()->evalPoint(p1).distanceTo(ints.pointOnCurve1(i)), tol);
    EXPECT_LE(ints.curve2()->evalPoint(p2).distanceTo(ints.pointOnCurve2(i)), tol);
    if (!ints.isProjected()) {
      EXPECT_LE(ints.pointOnCurve1(i).distanceTo(ints.pointOnCurve2(i)),
                ints.tolerance().equalPoint());
    }
    if (i > 0) {
      double q1, q2;
      ints.getIntParams(i - 1, q1, q2);
      EXPECT_LE(q1, p1);
    }
  }
}

// Intersecting the other way round gives the same points with the parameters exchanged.
inline void expectSymmetric(const QvGeCurve3d& a, const QvGeCurve3d& b) {
  const QvGeCurveCurveInt3d ab(a, b), ba(b, a);
  ASSERT_EQ(ab.numIntPoints(), ba.numIntPoints());
  ASSERT_EQ(ab.overlapCount(), ba.overlapCount());
  for (int i = 0; i < ab.numIntPoints(); ++i) {
    double p1, p2;
    ab.getIntParams(i, p1, p2);
    bool found = false;
    for (int k = 0; k < ba.numIntPoints() && !found; ++k) {
      double q1, q2;
      ba.getIntParams(k, q1, q2);
      found = ab.intPoint(i).distanceTo(ba.intPoint(k)) <= 1e-9 &&
              std::fabs(p1 - q2) <= 1e-7 * std::max(1.0, std::fabs(p1)) &&
              std::fabs(p2 - q1) <= 1e-7 * std::max(1.0, std::fabs(p2)) &&
              ab.intConfig(i) == ba.intConfig(k);
    }
    EXPECT_TRUE(found) << "point " << i << " has no mirror";
  }
}

}  // namespace intcheck
