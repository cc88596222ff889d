#pragma once

#include <utility>
#include <vector>

#include "tests/support/IntersectionChecks.h"

// Intersects the pair and checks the points found against the expected ones (within relTol of
// their size), against both curves (within tol), and against the pair taken the other way round.
inline QvGeCurveCurveInt3d meet(const QvGeCurve3d& a, const QvGeCurve3d& b,
                                std::vector<QvGePoint3d> expected, double relTol = 1e-9,
                                double tol = 1e-9) {
  QvGeCurveCurveInt3d ints(a, b);
  intcheck::expectPoints(ints, std::move(expected), relTol);
  intcheck::expectConsistent(ints, tol);
  intcheck::expectSymmetric(a, b);
  return ints;
}
