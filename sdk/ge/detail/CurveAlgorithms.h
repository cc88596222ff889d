#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/GeSpace.h"
#include "sdk/ge/detail/Quadrature.h"

// Algorithms that work on any curve through its evaluation, written once for 2D and 3D. The
// curve kinds with closed forms override the queries that use them.
namespace qvge_detail {

// An unbounded side of an interval counts as this parameter in measuring queries.
inline constexpr double kUnboundedParam = 1e10;

template <class Curve>
void boundedRange(const Curve& c, double& lo, double& hi) {
  QvGeInterval i;
  c.getInterval(i);
  lo = i.isBoundedBelow() ? i.lowerBound() : -kUnboundedParam;
  hi = i.isBoundedAbove() ? i.upperBound() : kUnboundedParam;
}

// Parameters cutting [a, b] into the curve's smooth pieces: a, the break parameters inside,
// b. a <= b.
template <class Curve>
std::vector<double> smoothPieces(const Curve& c, double a, double b) {
  std::vector<double> cuts{a};
  QvGeDoubleArray breaks;
  c.getBreakParams(breaks);
  for (double t : breaks)
    if (t > a && t < b && t > cuts.back()) cuts.push_back(t);
  if (b > cuts.back() || cuts.size() == 1) cuts.push_back(b);
  return cuts;
}

template <class Curve>
double speedAt(const Curve& c, double t) {
  typename GeSpace<Curve::kDim>::Point p;
  typename GeSpace<Curve::kDim>::Vector d[1];
  c.evalDerivatives(t, 1, p, d);
  return d[0].length();
}

// Arc length between two parameters (either order), clamped to the interval.
template <class Curve>
double arcLength(const Curve& c, double from, double to, double relTol) {
  double lo, hi;
  boundedRange(c, lo, hi);
  from = std::clamp(from, lo, hi);
  to = std::clamp(to, lo, hi);
  if (from > to) std::swap(from, to);
  if (!(to > from)) return 0.0;
  const double tol = std::fmax(std::fmin(relTol, 1e-6), 1e-14);
  const std::vector<double> cuts = smoothPieces(c, from, to);
  double sum = 0.0;
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    sum += GaussKronrod::integrate([&c](double t) { return speedAt(c, t); }, cuts[i], cuts[i + 1],
                                   tol);
  }
  return sum;
}

// The parameter at arc length `length` from datum (clamped to the interval), forwards or
// backwards; false when the length is negative, not finite, or runs past the end.
template <class Curve>
bool paramAtArcLength(const Curve& c, double datum, double length, bool forward, double& param,
                      double relTol) {
  if (!(length >= 0.0) || !std::isfinite(length) || std::isnan(datum)) return false;
  double lo, hi;
  boundedRange(c, lo, hi);
  datum = std::clamp(datum, lo, hi);
  const double end = forward ? hi : lo;
  const double total = arcLength(c, datum, end, relTol);
  const double slack = QvGePrecision::kRoundoff * std::fmax(total, 1.0);
  if (length > total + slack) return false;
  if (length >= total) {
    param = end;
    return true;
  }
  if (length == 0.0) {
    param = datum;
    return true;
  }
  // Newton on L(datum, t) - length with the speed as derivative, kept inside a bracket that
  // bisection narrows whenever a step leaves it. L is integrated incrementally from the last
  // iterate.
  const double dir = forward ? 1.0 : -1.0;
  double inner = datum, outer = end;  // L(inner) <= length <= L(outer)
  double t = datum + (end - datum) * (length / total);
  double covered = arcLength(c, datum, t, relTol);
  const double target = std::fmax(relTol * length, 1e-14 * std::fmax(total, 1.0));
  for (int iter = 0; iter < 100; ++iter) {
    const double f = covered - length;
    if (std::fabs(f) <= target) break;
    if (f < 0.0)
      inner = t;
    else
      outer = t;
    const double speed = speedAt(c, t);
    double next = speed > 0.0 ? t - dir * f / speed : 0.5 * (inner + outer);
    const bool inside = (next - inner) * (next - outer) < 0.0;
    if (!inside) next = 0.5 * (inner + outer);
    if (std::fabs(next - t) <= 1e-16 * std::fmax(1.0, std::fabs(t))) break;
    covered += (next > t ? 1.0 : -1.0) * dir * arcLength(c, t, next, relTol);
    t = next;
  }
  param = t;
  return true;
}

// Maps vectors for closest-point searches: identity, or the removal of the component along a
// unit direction (the curve seen projected along that direction).
template <class Vector>
struct IdentityView {
  Vector operator()(const Vector& v) const { return v; }
};
struct AlongDirectionView {
  QvGeVector3d unitDir;
  QvGeVector3d operator()(const QvGeVector3d& v) const {
    return v - unitDir * v.dotProduct(unitDir);
  }
};

// The parameter in [lo, hi] whose point is nearest p as seen through `view`: coarse samples of
// every smooth piece give seeds, Newton on (c - p) . c' = 0 refines the local minima, and the
// ends take part.
template <class Curve, class View>
double closestParamOn(const Curve& c, const typename GeSpace<Curve::kDim>::Point& p, double lo,
                      double hi, const View& view, int samplesPerPiece = 8) {
  using Point = typename GeSpace<Curve::kDim>::Point;
  using Vector = typename GeSpace<Curve::kDim>::Vector;
  auto dist2 = [&](double t) { return view(c.evalPoint(t) - p).lengthSqrd(); };
  if (!(hi > lo)) return lo;

  const std::vector<double> cuts = smoothPieces(c, lo, hi);
  const int perPiece = std::max(samplesPerPiece, cuts.size() == 2 ? 32 : samplesPerPiece);
  std::vector<double> ts;
  for (size_t i = 0; i + 1 < cuts.size(); ++i)
    for (int k = 0; k < perPiece; ++k)
      ts.push_back(cuts[i] + (cuts[i + 1] - cuts[i]) * k / perPiece);
  ts.push_back(hi);
  std::vector<double> ds(ts.size());
  for (size_t i = 0; i < ts.size(); ++i) ds[i] = dist2(ts[i]);

  double bestT = ts[0], bestD = ds[0];
  for (size_t i = 0; i < ts.size(); ++i)
    if (ds[i] < bestD) bestD = ds[i], bestT = ts[i];

  auto newton = [&](double t, double a, double b) {
    for (int iter = 0; iter < 40; ++iter) {
      Point q;
      Vector d[2];
      c.evalDerivatives(t, 2, q, d);
      const Vector r = view(q - p), d1 = view(d[0]), d2 = view(d[1]);
      const double g = r.dotProduct(d1);
      const double gp = d1.lengthSqrd() + r.dotProduct(d2);
      double next;
      if (gp > 0.0) {
        next = t - g / gp;
      } else {
        next = g > 0.0 ? 0.5 * (a + t) : 0.5 * (t + b);  // not convex here: move downhill
      }
      next = std::clamp(next, a, b);
      if (std::fabs(next - t) <= 1e-15 * std::fmax(1.0, std::fabs(t))) return next;
      t = next;
    }
    return t;
  };
  for (size_t i = 0; i < ts.size(); ++i) {
    const bool localMin =
        (i == 0 || ds[i] <= ds[i - 1]) && (i + 1 == ts.size() || ds[i] <= ds[i + 1]);
    if (!localMin) continue;
    const double a = i == 0 ? ts[0] : ts[i - 1];
    const double b = i + 1 == ts.size() ? ts[i] : ts[i + 1];
    const double t = newton(ts[i], a, b);
    const double d = dist2(t);
    if (d < bestD) bestD = d, bestT = t;
  }
  return bestT;
}

// Chordal sampling of [from, to]: every smooth piece starts with four parts, and a part is
// halved until the curve's midpoint lies within eps of the chord and, when maxTurn > 0, the
// tangent turns by at most maxTurn radians along it.
template <class Curve>
void sampleCurve(const Curve& c, double from, double to, double eps, double maxTurn,
                 typename GeSpace<Curve::kDim>::PointArray& points, QvGeDoubleArray& params) {
  using Point = typename GeSpace<Curve::kDim>::Point;
  using Vector = typename GeSpace<Curve::kDim>::Vector;
  auto tangentAt = [&c](double t) {
    Point q;
    Vector d[1];
    c.evalDerivatives(t, 1, q, d);
    return d[0];
  };
  auto flatEnough = [&](double a, double b) {
    const Point pa = c.evalPoint(a), pb = c.evalPoint(b), pm = c.evalPoint(0.5 * (a + b));
    const Vector chord = pb - pa;
    const double len2 = chord.lengthSqrd();
    double dev;
    if (len2 > 0.0) {
      const double s = std::clamp((pm - pa).dotProduct(chord) / len2, 0.0, 1.0);
      dev = (pm - (pa + chord * s)).length();
    } else {
      dev = (pm - pa).length();
    }
    if (dev > eps) return false;
    if (maxTurn > 0.0) {
      const Vector ta = tangentAt(a), tb = tangentAt(b);
      const double na = ta.length(), nb = tb.length();
      if (na > 0.0 && nb > 0.0 && ta.dotProduct(tb) < std::cos(maxTurn) * na * nb) return false;
    }
    return true;
  };
  struct Part {
    double a, b;
    int depth;
  };
  points.append(c.evalPoint(from));
  params.append(from);
  const std::vector<double> cuts = smoothPieces(c, from, to);
  std::vector<Part> stack;
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    const double a = cuts[i], b = cuts[i + 1];
    for (int k = 3; k >= 0; --k)
      stack.push_back({a + (b - a) * k / 4, a + (b - a) * (k + 1) / 4, 0});
    while (!stack.empty()) {
      const Part part = stack.back();
      stack.pop_back();
      if (part.depth < 20 && !flatEnough(part.a, part.b)) {
        const double m = 0.5 * (part.a + part.b);
        stack.push_back({m, part.b, part.depth + 1});
        stack.push_back({part.a, m, part.depth + 1});
        continue;
      }
      points.append(c.evalPoint(part.b));
      params.append(part.b);
    }
  }
}

// Split parameters kept for getSplitCurves: inside (lo, hi) by more than tol, ascending, with
// values closer than tol merged.
inline std::vector<double> usableSplitParams(const QvGeDoubleArray& params, double lo, double hi,
                                             double tol) {
  std::vector<double> kept;
  for (double t : params)
    if (std::isfinite(t) && t > lo + tol && t < hi - tol) kept.push_back(t);
  std::sort(kept.begin(), kept.end());
  std::vector<double> unique;
  for (double t : kept)
    if (unique.empty() || t - unique.back() > tol) unique.push_back(t);
  return unique;
}

// getSplitCurves on any bounded curve through getTrimmedCurve. A closed curve gives one piece
// per parameter, the last running across the seam.
template <class Curve>
Vexa::ErrorStatus splitCurve(const Curve& c, const QvGeDoubleArray& params,
                             QvArray<Curve*>& pieces) {
  if (!c.isValid()) return Vexa::eInvalidInput;
  QvGeInterval interval;
  c.getInterval(interval);
  if (!interval.isBounded()) return Vexa::eNotApplicable;
  const double lo = interval.lowerBound(), hi = interval.upperBound();
  const double tol = std::fmax(interval.tolerance(), QvGePrecision::kRoundoff * (hi - lo));
  const std::vector<double> cuts = usableSplitParams(params, lo, hi, tol);
  std::vector<Curve*> made;
  auto fail = [&made]() {
    for (Curve* m : made) delete m;
    return Vexa::eNotApplicable;
  };
  if (c.isClosed() && !cuts.empty()) {
    const double period = hi - lo;
    for (size_t i = 0; i < cuts.size(); ++i) {
      const double a = cuts[i];
      const double b = i + 1 < cuts.size() ? cuts[i + 1] : cuts[0] + period;
      Curve* piece = c.getTrimmedCurve(a, b);
      if (!piece) return fail();
      made.push_back(piece);
    }
  } else {
    std::vector<double> bounds{lo};
    bounds.insert(bounds.end(), cuts.begin(), cuts.end());
    bounds.push_back(hi);
    for (size_t i = 0; i + 1 < bounds.size(); ++i) {
      Curve* piece = c.getTrimmedCurve(bounds[i], bounds[i + 1]);
      if (!piece) return fail();
      made.push_back(piece);
    }
  }
  for (Curve* m : made) pieces.append(m);
  return Vexa::eOk;
}

}  // namespace qvge_detail
