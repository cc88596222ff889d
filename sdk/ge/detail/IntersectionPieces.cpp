#include "sdk/ge/detail/IntersectionPieces.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/detail/CurveAlgorithms.h"

namespace qvge_detail {

QvGePoint3d mapPoint(const QvGePoint3d& p, bool dropZ) {
  return dropZ ? QvGePoint3d(p.x, p.y, 0.0) : p;
}
QvGeVector3d mapVector(const QvGeVector3d& v, bool dropZ) {
  return dropZ ? QvGeVector3d(v.x, v.y, 0.0) : v;
}

double distanceToChord(const QvGePoint3d& p, const QvGePoint3d& a, const QvGePoint3d& b) {
  const QvGeVector3d chord = b - a;
  const double len2 = chord.lengthSqrd();
  if (!(len2 > 0.0)) return p.distanceTo(a);
  const double u = std::clamp((p - a).dotProduct(chord) / len2, 0.0, 1.0);
  return p.distanceTo(a + chord * u);
}

// Least distance between the segments p0-p1 and q0-q1 (clamped closest points).
double segmentDistance(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& q0,
                       const QvGePoint3d& q1) {
  const QvGeVector3d d1 = p1 - p0, d2 = q1 - q0, r = p0 - q0;
  const double a = d1.lengthSqrd(), e = d2.lengthSqrd(), f = d2.dotProduct(r);
  double s = 0.0, t = 0.0;
  if (a <= 0.0 && e <= 0.0) return p0.distanceTo(q0);
  if (a <= 0.0) {
    t = std::clamp(f / e, 0.0, 1.0);
  } else {
    const double c = d1.dotProduct(r);
    if (e <= 0.0) {
      s = std::clamp(-c / a, 0.0, 1.0);
    } else {
      const double b = d1.dotProduct(d2), denom = a * e - b * b;
      s = denom > 0.0 ? std::clamp((b * f - c * e) / denom, 0.0, 1.0) : 0.0;
      t = (b * s + f) / e;
      if (t < 0.0) {
        t = 0.0;
        s = std::clamp(-c / a, 0.0, 1.0);
      } else if (t > 1.0) {
        t = 1.0;
        s = std::clamp((b - c) / a, 0.0, 1.0);
      }
    }
  }
  return (p0 + d1 * s).distanceTo(q0 + d2 * t);
}

PieceSource::PieceSource(const QvGeCurve3d& c, bool dropZ) : c_(c), dropZ_(dropZ) {
  if (c.type() == QvGe::kNurbCurve3d) nurbs_ = &static_cast<const QvGeNurbCurve3d&>(c).nurbsData();
}

void PieceSource::derivs(double t, QvGePoint3d& p, QvGeVector3d& d1, QvGeVector3d& d2) const {
  QvGeVector3d d[2];
  c_.evalDerivatives(t, 2, p, d);
  p = mapPoint(p, dropZ_);
  d1 = mapVector(d[0], dropZ_);
  d2 = mapVector(d[1], dropZ_);
}

void PieceSource::initial(double lo, double hi, std::vector<Piece>& out) const {
  if (nurbs_) {
    std::vector<std::pair<double, double>> ranges;
    std::vector<std::vector<IntHPoint>> ctrl;
    nurbs_->bezierPieces(lo, hi, ranges, ctrl);
    for (size_t i = 0; i < ranges.size(); ++i)
      out.push_back(makeBezier(ranges[i].first, ranges[i].second, std::move(ctrl[i])));
    if (!ranges.empty()) return;
  }
  const std::vector<double> cuts = smoothPieces(c_, lo, hi);
  double period = 0.0;
  const bool periodic = c_.isPeriodic(period) && !nurbs_;
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    const double a = cuts[i], b = cuts[i + 1];
    const int parts = periodic ? std::max(1, static_cast<int>(std::ceil((b - a) / QvGe::kHalfPi)))
                               : (c_.isKindOf(QvGe::kLinearEnt3d) ? 1 : 4);
    for (int k = 0; k < parts; ++k)
      out.push_back(
          makeGeneric(a + (b - a) * k / parts, k + 1 == parts ? b : a + (b - a) * (k + 1) / parts));
  }
}

void PieceSource::split(const Piece& p, Piece& left, Piece& right) const {
  const double m = 0.5 * (p.t0 + p.t1);
  if (p.bez.empty()) {
    left = makeGeneric(p.t0, m);
    right = makeGeneric(m, p.t1);
  } else {
    // de Casteljau at the middle, in homogeneous coordinates.
    const size_t n = p.bez.size();
    std::vector<IntHPoint> work = p.bez, l(n), r(n);
    for (size_t level = 0; level < n; ++level) {
      l[level] = work[0];
      r[n - 1 - level] = work[n - 1 - level];
      for (size_t i = 0; i + 1 + level < n; ++i)
        for (int c = 0; c < 4; ++c) work[i][c] = 0.5 * (work[i][c] + work[i + 1][c]);
    }
    left = makeBezier(p.t0, m, std::move(l));
    right = makeBezier(m, p.t1, std::move(r));
  }
  left.depth = right.depth = p.depth + 1;
}

double PieceSource::deviation(const Piece& p) const {
  double dev = 0.0;
  if (!p.bez.empty()) {
    for (size_t i = 1; i + 1 < p.bez.size(); ++i)
      dev = std::max(dev, distanceToChord(euclid(p.bez[i]), p.p0, p.p1));
    return dev;
  }
  if (c_.isKindOf(QvGe::kLinearEnt3d)) return 0.0;
  for (double f : {0.25, 0.5, 0.75})
    dev = std::max(dev, distanceToChord(point(p.t0 + f * (p.t1 - p.t0)), p.p0, p.p1));
  return dev;
}

QvGePoint3d PieceSource::euclid(const IntHPoint& h) const {
  return mapPoint(QvGePoint3d(h[0] / h[3], h[1] / h[3], h[2] / h[3]), dropZ_);
}

Piece PieceSource::makeGeneric(double t0, double t1) const {
  Piece p;
  p.t0 = t0;
  p.t1 = t1;
  const QvGeExtents3d box = c_.orthoBoundBlock(QvGeInterval(t0, t1)).extents();
  p.box.addPoint(mapPoint(box.minPoint(), dropZ_)).addPoint(mapPoint(box.maxPoint(), dropZ_));
  p.p0 = point(t0);
  p.p1 = point(t1);
  return p;
}

Piece PieceSource::makeBezier(double t0, double t1, std::vector<IntHPoint> ctrl) const {
  Piece p;
  p.t0 = t0;
  p.t1 = t1;
  for (const IntHPoint& h : ctrl) p.box.addPoint(euclid(h));
  p.p0 = euclid(ctrl.front());
  p.p1 = euclid(ctrl.back());
  p.bez = std::move(ctrl);
  return p;
}

}  // namespace qvge_detail
