#pragma once

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/GeSpace.h"

// The point function base + t * dir of lines, rays and segments, with its parameter range
// (unbounded sides as infinities). Written once for 2D and 3D.
namespace qvge_detail {

template <int Dim>
struct LinearSpan {
  using Point = typename GeSpace<Dim>::Point;
  using Vector = typename GeSpace<Dim>::Vector;

  Point base;
  Vector dir;
  double lo;
  double hi;

  Point at(double t) const { return base + dir * t; }

  // Parameter of the foot of p on the carrier, clamped to the range; lo (or 0) for a zero
  // direction.
  double closestParam(const Point& p) const {
    const double len2 = dir.lengthSqrd();
    if (!(len2 > 0.0)) return std::isfinite(lo) ? lo : 0.0;
    return std::clamp((p - base).dotProduct(dir) / len2, lo, hi);
  }

  double clampParam(double t) const { return std::clamp(t, lo, hi); }

  // Arc length between two parameters, clamped to the range (and to +-limit when unbounded).
  double length(double from, double to, double limit) const {
    const double a = std::clamp(from, std::fmax(lo, -limit), std::fmin(hi, limit));
    const double b = std::clamp(to, std::fmax(lo, -limit), std::fmin(hi, limit));
    return std::fabs(b - a) * dir.length();
  }

  // Parameter at a distance along the carrier; false when it leaves the range or the
  // direction is zero.
  bool getParamAtLength(double datum, double length, bool forward, double& param) const {
    const double speed = dir.length();
    if (!(length >= 0.0) || !std::isfinite(length) || !(speed > 0.0) || std::isnan(datum))
      return false;
    datum = clampParam(datum);
    const double t = datum + (forward ? 1.0 : -1.0) * length / speed;
    const double slack = QvGePrecision::kRoundoff * std::fmax(1.0, std::fabs(t));
    if (!std::isfinite(t) || t < lo - slack || t > hi + slack) return false;
    param = clampParam(t);
    return true;
  }

  void addToBox(double from, double to, typename GeSpace<Dim>::Extents& box) const {
    box.addPoint(at(clampParam(from)));
    box.addPoint(at(clampParam(to)));
  }
};

}  // namespace qvge_detail
