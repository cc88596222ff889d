#pragma once

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGePrecision.h"

namespace qvdb_detail {

// How far a point may lie from a curve and still count as on it (see QvDbCurve).
inline double pointTolerance(const QvGePoint3d& p) {
  const double size = std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z), 1.0});
  return std::max(QvGePrecision::confusion(), QvGePrecision::kRelative * size);
}

// A parameter tolerance for a range of the given size.
inline double paramTolerance(double low, double high) {
  return QvGePrecision::parametric(std::max(std::fabs(low), std::fabs(high)));
}

}  // namespace qvdb_detail
