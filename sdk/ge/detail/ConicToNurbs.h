#pragma once

#include <cmath>
#include <vector>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/ConicArc.h"
#include "sdk/ge/detail/NurbsCore.h"

namespace qvge_detail {

// The rational quadratic NURBS of a conic arc: pieces of at most a quarter turn, each with its
// middle control point where the end tangents meet and weight cos(half the piece's sweep).
// The knots run over [conic.start, conic.end].
template <int Dim>
NurbsCore<Dim> conicToNurbs(const ConicArc<Dim>& conic) {
  using Point = typename GeSpace<Dim>::Point;
  const double sweep = conic.end - conic.start;
  const int pieces =
      std::max(1, static_cast<int>(std::ceil(sweep / QvGe::kHalfPi - QvGePrecision::kRelative)));
  const double step = sweep / pieces;
  const double w = std::cos(0.5 * step);
  std::vector<Point> pts;
  std::vector<double> weights, knots{conic.start, conic.start, conic.start};
  pts.push_back(conic.at(conic.start));
  weights.push_back(1.0);
  for (int i = 0; i < pieces; ++i) {
    const double t0 = conic.start + step * i, mid = t0 + 0.5 * step;
    const double t1 = i + 1 == pieces ? conic.end : t0 + step;
    pts.push_back(conic.center + conic.major * (conic.a * std::cos(mid) / w) +
                  conic.minor * (conic.b * std::sin(mid) / w));
    weights.push_back(w);
    pts.push_back(conic.at(t1));
    weights.push_back(1.0);
    knots.push_back(t1);
    knots.push_back(t1);
  }
  knots.push_back(conic.end);
  NurbsCore<Dim> core;
  core.set(2, knots, pts, weights, false);
  return core;
}

}  // namespace qvge_detail
