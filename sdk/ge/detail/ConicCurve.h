#pragma once

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/ConicArc.h"
#include "sdk/ge/detail/CurveAlgorithms.h"

namespace qvge_detail {

template <class Matrix>
struct PointMap {
  const Matrix& m;
  template <class Point>
  Point operator()(Point p) const {
    return p.transformBy(m);
  }
};
template <class Matrix>
struct VectorMap {
  const Matrix& m;
  template <class Vector>
  Vector operator()(Vector v) const {
    return v.transformBy(m);
  }
};

// The curve queries shared by the circular and elliptical arcs of both dimensions, all in
// closed form except the length of an ellipse and the closest point of an elliptical arc
// whose carrier's nearest point lies outside it. Base is QvGeCurve2d or QvGeCurve3d.
template <class Base>
class ConicCurve : public Base {
 public:
  static constexpr int kDim = Base::kDim;
  using Point = typename GeSpace<kDim>::Point;
  using Vector = typename GeSpace<kDim>::Vector;
  using Conic = ConicArc<kDim>;

  bool isValid() const override { return valid_; }
  // The conic's data, for the library's own algorithms.
  const Conic& conicData() const { return conic_; }
  void getInterval(QvGeInterval& interval) const override {
    interval.set(conic_.start, conic_.end);
  }
  bool isPeriodic(double& period) const override {
    period = QvGe::k2Pi;
    return true;
  }
  bool isClosed(const QvGeTol& tol = QvGeContext::gTol) const override {
    return conic_.isFull() || Base::isClosed(tol);
  }
  Point evalPoint(double param) const override { return conic_.at(param); }
  void evalDerivatives(double param, int numDeriv, Point& point, Vector* derivs) const override {
    conic_.derivs(param, std::clamp(numDeriv, 0, Base::kMaxDerivatives), point, derivs);
  }
  Point closestPointTo(const Point& p, double& param,
                       const QvGeTol& tol = QvGeContext::gTol) const override {
    const double t = conic_.closestParamOnCarrier(p);
    if (conic_.isFull() || conic_.isCircle()) {
      param = conic_.clampToArc(t, p);
    } else {
      const double w = conic_.wrap(t);
      param = w <= conic_.end
                  ? w
                  : closestParamOn(*this, p, conic_.start, conic_.end, IdentityView<Vector>());
    }
    (void)tol;
    return conic_.at(param);
  }
  using Base::closestPointTo;
  double length(double fromParam, double toParam,
                double tol = Base::kDefaultLengthTol) const override {
    if (!conic_.isCircle()) return Base::length(fromParam, toParam, tol);
    const double a = std::clamp(fromParam, conic_.start, conic_.end);
    const double b = std::clamp(toParam, conic_.start, conic_.end);
    return conic_.a * std::fabs(b - a);
  }
  using Base::length;
  bool getParamAtLength(double datumParam, double length, bool posParamDir, double& param,
                        double tol = Base::kDefaultLengthTol) const override {
    if (!conic_.isCircle())
      return Base::getParamAtLength(datumParam, length, posParamDir, param, tol);
    if (!valid_ || !(length >= 0.0) || !std::isfinite(length) || std::isnan(datumParam))
      return false;
    const double datum = std::clamp(datumParam, conic_.start, conic_.end);
    const double t = datum + (posParamDir ? 1.0 : -1.0) * length / conic_.a;
    const double slack = QvGePrecision::kRoundoff * std::fmax(1.0, std::fabs(t));
    if (t < conic_.start - slack || t > conic_.end + slack) return false;
    param = std::clamp(t, conic_.start, conic_.end);
    return true;
  }
  using Base::getParamAtLength;
  void reverseParam() override { conic_.reverse(); }

  // The same conic over [fromParam, toParam]: a sub-range of the arc, or, for a closed arc,
  // any range of at most one turn.
  Base* getTrimmedCurve(double fromParam, double toParam) const override {
    const double tol = QvGeInterval::kDefaultTol;
    if (!valid_ || !std::isfinite(fromParam) || !std::isfinite(toParam)) return nullptr;
    if (!(toParam > fromParam) || toParam - fromParam > QvGe::k2Pi + tol) return nullptr;
    if (!isClosed() && (fromParam < conic_.start - tol || toParam > conic_.end + tol))
      return nullptr;
    Conic piece = conic_;
    piece.start = fromParam;
    piece.end = std::fmin(toParam, fromParam + QvGe::k2Pi);
    return make(piece);
  }

 protected:
  // A new curve of the concrete kind with this conic.
  virtual Base* make(const Conic& conic) const = 0;

  typename GeSpace<kDim>::Extents boxOver(const QvGeInterval& range) const {
    const double lo = conic_.start, hi = conic_.end;
    const double a = std::clamp(range.isBoundedBelow() ? range.lowerBound() : lo, lo, hi);
    const double b = std::clamp(range.isBoundedAbove() ? range.upperBound() : hi, lo, hi);
    typename GeSpace<kDim>::Extents box;
    conic_.addToBox(a, b, box);
    return box;
  }

  // Takes the conic's image under m; mustStayRound refuses maps that turn a circle into an
  // ellipse. The curve is unchanged on failure.
  template <class Matrix>
  Vexa::ErrorStatus transformConic(const Matrix& m, bool mustStayRound) {
    if (!isFinite(m)) return Vexa::eInvalidInput;
    Conic image;
    if (!conic_.mapped(PointMap<Matrix>{m}, VectorMap<Matrix>{m}, image))
      return Vexa::eDegenerateGeometry;
    if (mustStayRound) {
      if (!image.isRound()) return Vexa::eNotApplicable;
      image.b = image.a;
    }
    conic_ = image;
    return Vexa::eOk;
  }

  // Stores a checked conic, or marks the curve invalid (a point at the center) when the data
  // cannot make one.
  void storeOrInvalidate(bool ok, const Conic& conic, const Point& center) {
    if (ok) {
      conic_ = conic;
      valid_ = true;
      return;
    }
    conic_ = Conic();
    if (isFinite(center)) conic_.center = center;
    conic_.a = conic_.b = 0.0;
    valid_ = false;
  }

  Conic conic_;
  bool valid_ = true;
};

// The center of the circle through three points, and whether they determine one.
template <class Point>
bool circleThrough(const Point& p1, const Point& p2, const Point& p3, Point& center) {
  const auto a = p1 - p3, b = p2 - p3;
  const double aa = a.dotProduct(a), bb = b.dotProduct(b), ab = a.dotProduct(b);
  const double det = aa * bb - ab * ab;
  if (!(det > 1e-24 * aa * bb) || !std::isfinite(det)) return false;
  // center = p3 + alpha a + beta b with (center - p3) . a = aa / 2 and . b = bb / 2.
  const double alpha = 0.5 * (aa * bb - bb * ab) / det;
  const double beta = 0.5 * (aa * bb - aa * ab) / det;
  center = p3 + a * alpha + b * beta;
  return true;
}

}  // namespace qvge_detail
