#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/CurveAlgorithms.h"
#include "sdk/ge/detail/NurbsCore.h"

namespace qvge_detail {

// The NURBS curve queries and data shared by QvGeNurbCurve2d and QvGeNurbCurve3d. Base is the
// curve root of the dimension, Derived the concrete class.
template <class Base, class Derived>
class NurbsCurve : public Base {
 public:
  static constexpr int kDim = Base::kDim;
  using Point = typename GeSpace<kDim>::Point;
  using Vector = typename GeSpace<kDim>::Vector;
  using PointArray = typename GeSpace<kDim>::PointArray;
  using Core = NurbsCore<kDim>;

  // --- Definition data ---
  // Replaces the curve (and drops any fit data). See NurbsCore::set for what is refused with
  // eInvalidInput; the curve is then unchanged.
  Vexa::ErrorStatus set(int degree, const QvGeDoubleArray& knots, const PointArray& ctrlPts,
                        const QvGeDoubleArray& weights = QvGeDoubleArray(),
                        bool isPeriodic = false) {
    Core c;
    const Vexa::ErrorStatus es =
        c.set(degree, std::vector<double>(knots.begin(), knots.end()),
              std::vector<Point>(ctrlPts.begin(), ctrlPts.end()),
              std::vector<double>(weights.begin(), weights.end()), isPeriodic);
    if (es != Vexa::eOk) return es;
    adopt(c);
    return Vexa::eOk;
  }
  // Weights come back empty for a non-rational curve.
  void getDefinitionData(int& degree, bool& rational, bool& periodic, QvGeDoubleArray& knots,
                         PointArray& ctrlPts, QvGeDoubleArray& weights) const {
    degree = core_.degree;
    rational = core_.rational;
    periodic = core_.periodic;
    knots.removeAll();
    ctrlPts.removeAll();
    weights.removeAll();
    for (double k : core_.knots) knots.append(k);
    for (int i = 0; i < core_.numCtrl(); ++i) {
      ctrlPts.append(core_.ctrlPoint(i));
      if (core_.rational) weights.append(core_.weight(i));
    }
  }
  // Interpolates the fit points (see NurbsCore::interpolate); the end tangents give directions
  // only: their length is replaced by the total chord length. Zero tangents mean free ends.
  // eInvalidInput for fewer than two points, consecutive equal points or a degree outside
  // [1, 25]; the curve is then unchanged.
  Vexa::ErrorStatus setFitData(const PointArray& fitPoints, int degree = 3,
                               const Vector& startTangent = Vector(),
                               const Vector& endTangent = Vector()) {
    if (degree < 1 || degree > Core::kMaxDegree) return Vexa::eInvalidInput;
    std::vector<Point> pts(fitPoints.begin(), fitPoints.end());
    double chord = 0.0;
    for (size_t i = 1; i < pts.size(); ++i) chord += (pts[i] - pts[i - 1]).length();
    auto scaled = [chord](const Vector& t) {
      const double len = t.length();
      return len > 0.0 && std::isfinite(len) ? t * (chord / len) : Vector();
    };
    Core c;
    if (!Core::interpolate(pts, degree, scaled(startTangent), scaled(endTangent), c))
      return Vexa::eInvalidInput;
    adopt(c);
    fit_ = pts;
    fitStartTangent_ = startTangent;
    fitEndTangent_ = endTangent;
    return Vexa::eOk;
  }
  bool hasFitData() const { return !fit_.empty(); }
  int numFitPoints() const { return static_cast<int>(fit_.size()); }
  bool getFitPointAt(int i, Point& p) const {
    if (i < 0 || i >= numFitPoints()) return false;
    p = fit_[static_cast<size_t>(i)];
    return true;
  }
  void getFitTangents(Vector& start, Vector& end) const {
    start = fitStartTangent_;
    end = fitEndTangent_;
  }

  int degree() const { return core_.degree; }
  bool isRational() const { return core_.rational; }
  int numControlPoints() const { return core_.numCtrl(); }
  Point controlPointAt(int i) const {
    return i >= 0 && i < core_.numCtrl() ? core_.ctrlPoint(i) : Point();
  }
  double weightAt(int i) const { return i >= 0 && i < core_.numCtrl() ? core_.weight(i) : 0.0; }
  int numKnots() const { return static_cast<int>(core_.knots.size()); }
  double knotAt(int i) const {
    return i >= 0 && i < numKnots() ? core_.knots[static_cast<size_t>(i)] : 0.0;
  }
  double startParam() const { return core_.lo(); }
  double endParam() const { return core_.hi(); }

  // Inserts a knot inside the domain once (the curve keeps its shape). eOutOfRange outside the
  // domain, eInvalidInput when the knot is already there degree times.
  Vexa::ErrorStatus insertKnot(double t) {
    if (!valid_) return Vexa::eInvalidInput;
    if (!(t > core_.lo() && t < core_.hi())) return Vexa::eOutOfRange;
    if (core_.multiplicity(t) >= core_.degree) return Vexa::eInvalidInput;
    core_.insertKnot(t, 1);
    fit_.clear();
    return Vexa::eOk;
  }

  // The extension segment at one end: the end span's own (rational) polynomial continued
  // beyond the curve, as a Bezier curve over one span width outside the domain
  // ([start - w, start] or [end, end + w]). It runs in the curve's direction, so the start
  // extension ends at the curve's start point and the end extension starts at its end point,
  // joining it with all derivatives. eDegenerateGeometry when a rational continuation cannot
  // keep positive weights.
  Vexa::ErrorStatus getExtendSegment(bool atStart, Derived& segment) const {
    if (!valid_) return Vexa::eInvalidInput;
    Core c;
    if (!core_.extension(atStart, c)) return Vexa::eDegenerateGeometry;
    segment.adopt(c);
    return Vexa::eOk;
  }

  // Appends `next`, which must start where this curve ends (within tol.equalPoint) and have
  // the same degree; its parameters follow this curve's. eNotApplicable otherwise.
  Vexa::ErrorStatus joinWith(const Derived& next, const QvGeTol& tol = QvGeContext::gTol) {
    if (!valid_ || !next.valid_) return Vexa::eInvalidInput;
    Core first, second, joined;
    if (!core_.trimmed(core_.lo(), core_.hi(), first) ||
        !next.core_.trimmed(next.core_.lo(), next.core_.hi(), second))
      return Vexa::eNotApplicable;
    if (first.degree != second.degree ||
        !first.ctrlPoint(first.numCtrl() - 1).isEqualTo(second.ctrlPoint(0), tol))
      return Vexa::eNotApplicable;
    Core::join(first, second, joined);
    adopt(joined);
    return Vexa::eOk;
  }

  // The NURBS data, for the library's own algorithms.
  const Core& nurbsData() const { return core_; }

  // --- Curve queries ---
  bool isValid() const override { return valid_; }
  void getInterval(QvGeInterval& interval) const override { interval.set(core_.lo(), core_.hi()); }
  // A curve with periodic knots repeats with the domain's length (evalPoint wraps).
  bool isPeriodic(double& period) const override {
    if (!core_.periodic) return false;
    period = core_.hi() - core_.lo();
    return true;
  }
  void getBreakParams(QvGeDoubleArray& params) const override {
    params.removeAll();
    for (double k : core_.innerKnots()) params.append(k);
  }
  // Curves of degree up to 3 integrate their speed span by span on each span's polynomial,
  // which is far cheaper to evaluate than the basis functions; others as every curve does.
  double length(double fromParam, double toParam,
                double tol = Base::kDefaultLengthTol) const override {
    if (!valid_ || core_.periodic || core_.degree > 3 || !std::isfinite(fromParam) ||
        !std::isfinite(toParam))
      return Base::length(fromParam, toParam, tol);
    double from = std::clamp(fromParam, core_.lo(), core_.hi());
    double to = std::clamp(toParam, core_.lo(), core_.hi());
    if (from > to) std::swap(from, to);
    if (!(to > from)) return 0.0;
    const double relTol = std::fmax(std::fmin(tol, 1e-6), 1e-14);
    double sum = 0.0;
    for (int span = core_.degree; span < core_.numCtrl(); ++span) {
      const double a = core_.knots[static_cast<size_t>(span)];
      const double b = core_.knots[static_cast<size_t>(span + 1)];
      const double start = std::fmax(a, from), end = std::fmin(b, to);
      if (!(b > a) || !(end > start)) continue;
      const double about = 0.5 * (a + b);
      typename Core::HPoint c[4];
      core_.spanPolynomial(span, about, c);
      auto speed = [&c, about](double t) {
        const double u = t - about;
        double value[Core::kH], slope[Core::kH];
        for (int i = 0; i < Core::kH; ++i) {
          value[i] = c[0][i] + u * (c[1][i] + u * (c[2][i] + u * c[3][i]));
          slope[i] = c[1][i] + u * (2.0 * c[2][i] + 3.0 * u * c[3][i]);
        }
        const double w = value[kDim];
        double squared = 0.0;
        for (int i = 0; i < kDim; ++i) {
          const double d = (slope[i] - value[i] / w * slope[kDim]) / w;
          squared += d * d;
        }
        return std::sqrt(squared);
      };
      sum += GaussKronrod::integrate(speed, start, end, relTol);
    }
    return sum;
  }
  using Base::length;

  Point evalPoint(double param) const override { return core_.at(param); }
  void evalDerivatives(double param, int numDeriv, Point& point, Vector* derivs) const override {
    core_.evaluate(param, std::clamp(numDeriv, 0, Base::kMaxDerivatives), point, derivs);
  }
  Point closestPointTo(const Point& p, double& param,
                       const QvGeTol& /*tol*/ = QvGeContext::gTol) const override {
    param = closestParamOn(*this, p, core_.lo(), core_.hi(), IdentityView<Vector>(),
                           2 * (core_.degree + 1));
    return core_.at(param);
  }
  using Base::closestPointTo;
  void reverseParam() override {
    core_.reverse();
    std::reverse(fit_.begin(), fit_.end());
    std::swap(fitStartTangent_, fitEndTangent_);
    fitStartTangent_ = -fitStartTangent_;
    fitEndTangent_ = -fitEndTangent_;
  }
  // A sub-range of the domain; a closed curve also takes ranges across its seam (up to one
  // domain length), made by joining the two trimmed parts.
  Base* getTrimmedCurve(double fromParam, double toParam) const override {
    if (!valid_ || !std::isfinite(fromParam) || !std::isfinite(toParam)) return nullptr;
    const double lo = core_.lo(), hi = core_.hi(), period = hi - lo;
    const double tol = QvGePrecision::kRoundoff * period;
    Core piece;
    if (toParam <= hi + tol) {
      if (!core_.trimmed(fromParam, toParam, piece)) return nullptr;
    } else {
      if (!this->isClosed() || toParam - fromParam > period + tol || fromParam < lo - tol)
        return nullptr;
      Core first, second;
      if (!core_.trimmed(fromParam, hi, first) ||
          !core_.trimmed(lo, std::fmin(toParam - period, fromParam), second))
        return nullptr;
      Core::join(first, second, piece);
    }
    auto* curve = new Derived();
    curve->adopt(piece);
    return curve;
  }

 protected:
  NurbsCurve() {
    Core c;
    c.set(1, {0.0, 0.0, 1.0, 1.0}, {Point(), unitPoint()}, {}, false);
    core_ = c;
  }

  static Point unitPoint() {
    const double c[3] = {1.0, 0.0, 0.0};
    return pointFrom<Point>(c);
  }

  // Constructors with data that fails: an invalid curve (a point at the origin).
  void invalidate() {
    Core c;
    c.set(1, {0.0, 0.0, 1.0, 1.0}, {Point(), Point()}, {}, false);
    core_ = c;
    fit_.clear();
    valid_ = false;
  }

  void adopt(const Core& c) {
    core_ = c;
    valid_ = true;
    fit_.clear();
    fitStartTangent_ = fitEndTangent_ = Vector();
  }

  typename GeSpace<kDim>::Extents boxOver(const QvGeInterval& range) const {
    typename GeSpace<kDim>::Extents box;
    const double a = std::clamp(range.isBoundedBelow() ? range.lowerBound() : core_.lo(),
                                core_.lo(), core_.hi());
    const double b = std::clamp(range.isBoundedAbove() ? range.upperBound() : core_.hi(),
                                core_.lo(), core_.hi());
    Core piece;
    if (a < b && core_.trimmed(a, b, piece)) {
      piece.addHullToBox(box);
    } else {
      box.addPoint(core_.at(a));
      box.addPoint(core_.at(b));
    }
    return box;
  }

  // Moves control points (and fit data) by a point map and a vector map.
  template <class MapPoint, class MapVector>
  void mapAll(MapPoint mapPoint, MapVector mapVector) {
    core_.mapPoints(mapPoint);
    for (Point& p : fit_) p = mapPoint(p);
    fitStartTangent_ = mapVector(fitStartTangent_);
    fitEndTangent_ = mapVector(fitEndTangent_);
  }

  Core core_;
  bool valid_ = true;
  std::vector<Point> fit_;
  Vector fitStartTangent_;
  Vector fitEndTangent_;
};

}  // namespace qvge_detail
