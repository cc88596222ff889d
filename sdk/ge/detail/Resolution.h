#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "sdk/ge/QvGeContext.h"

namespace qvge_detail {

// Points computed at large coordinates carry round-off of a few units in the last place, which
// can exceed an absolute tolerance such as 1e-10 (at 1e6 one unit is about 1e-10). Queries that
// compare computed points never use a point tolerance finer than this many units of the largest
// coordinate involved.
inline constexpr double kResolutionUnits = 64.0;

inline double resolutionAt(double largestCoordinate) {
  return kResolutionUnits * DBL_EPSILON * std::fabs(largestCoordinate);
}

template <class Point>
double largestCoordinate(const Point& p) {
  double m = std::max(std::fabs(p.x), std::fabs(p.y));
  if constexpr (requires { p.z; }) m = std::max(m, std::fabs(p.z));
  return m;
}

// tol with its point tolerance raised to the resolution at that coordinate size.
inline QvGeTol atResolution(const QvGeTol& tol, double largestCoord) {
  return QvGeTol(std::max(tol.equalPoint(), resolutionAt(largestCoord)), tol.equalVector());
}

}  // namespace qvge_detail
