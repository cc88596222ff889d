#pragma once

#include <algorithm>
#include <cmath>

#include "sdk/ge/detail/CurveAlgorithms.h"
#include "sdk/ge/detail/Finite.h"
#include "sdk/ge/detail/Resolution.h"

// The default behaviour of QvGeCurve2d and QvGeCurve3d, written once for both.
namespace qvge_detail {

inline constexpr double kDefaultMaxTurn = 5.0 * QvGe::kPi / 180.0;
inline constexpr double kDefaultChordFraction = 1.0 / 2000.0;

template <class Curve>
bool hasBoundPoint(const Curve& c, bool atStart, typename GeSpace<Curve::kDim>::Point& p) {
  QvGeInterval interval;
  c.getInterval(interval);
  if (atStart ? !interval.isBoundedBelow() : !interval.isBoundedAbove()) return false;
  p = c.evalPoint(atStart ? interval.lowerBound() : interval.upperBound());
  return true;
}

template <class Curve>
typename GeSpace<Curve::kDim>::Point evalIntoArray(
    const Curve& c, double param, int numDeriv, typename GeSpace<Curve::kDim>::VectorArray& out) {
  numDeriv = std::clamp(numDeriv, 0, Curve::kMaxDerivatives);
  typename GeSpace<Curve::kDim>::Vector d[Curve::kMaxDerivatives];
  typename GeSpace<Curve::kDim>::Point p;
  c.evalDerivatives(param, numDeriv, p, d);
  out.setLogicalLength(numDeriv);
  for (int i = 0; i < numDeriv; ++i) out[i] = d[i];
  return p;
}

template <class Curve>
Vexa::ErrorStatus checkedEvaluate(const Curve& c, double param, int numDeriv,
                                  typename GeSpace<Curve::kDim>::Point& point,
                                  typename GeSpace<Curve::kDim>::VectorArray& derivs) {
  if (numDeriv < 0 || numDeriv > Curve::kMaxDerivatives) return Vexa::eInvalidInput;
  if (!c.isValid()) return Vexa::eDegenerateGeometry;
  QvGeInterval interval;
  c.getInterval(interval);
  if (!std::isfinite(param) || !interval.contains(param)) return Vexa::eOutOfRange;
  point = evalIntoArray(c, param, numDeriv, derivs);
  return Vexa::eOk;
}

template <class Curve>
double defaultClosestParam(const Curve& c, const typename GeSpace<Curve::kDim>::Point& p) {
  double lo, hi;
  boundedRange(c, lo, hi);
  return closestParamOn(c, p, lo, hi, IdentityView<typename GeSpace<Curve::kDim>::Vector>());
}

template <class Curve>
bool isPointOn(const Curve& c, const typename GeSpace<Curve::kDim>::Point& p, double& param,
               const QvGeTol& tol) {
  double t;
  if (!isFinite(p)) return false;
  const QvGeTol fine = atResolution(tol, largestCoordinate(p));
  if (!c.isValid() || !c.closestPointTo(p, t, fine).isEqualTo(p, fine)) return false;
  param = t;
  return true;
}

template <class Curve>
double uncheckedParamAtLength(const Curve& c, double datum, double length, bool forward,
                              double tol) {
  double param;
  if (c.getParamAtLength(datum, length, forward, param, tol)) return param;
  double lo, hi;
  boundedRange(c, lo, hi);
  if (!(length > 0.0)) return std::clamp(datum, lo, hi);
  return forward ? hi : lo;
}

// Sample points over [from, to] in the order asked; approxEps 0.0 means the library density.
template <class Curve>
void samplePoints(const Curve& c, double from, double to, double approxEps,
                  typename GeSpace<Curve::kDim>::PointArray& points, QvGeDoubleArray& params) {
  if (std::isnan(from) || std::isnan(to)) return;
  double lo, hi;
  boundedRange(c, lo, hi);
  double a = std::clamp(from, lo, hi), b = std::clamp(to, lo, hi);
  const bool reversed = a > b;
  if (reversed) std::swap(a, b);
  typename GeSpace<Curve::kDim>::PointArray pts;
  QvGeDoubleArray ts;
  double maxTurn = 0.0;
  double eps = approxEps;
  if (!(eps > 0.0)) {
    eps = curveBox(c, QvGeInterval(a, b)).diagonal() * kDefaultChordFraction;
    maxTurn = kDefaultMaxTurn;
  }
  if (!(eps > 0.0) || !c.isValid() || !(b > a)) {
    pts.append(c.evalPoint(a));
    ts.append(a);
    if (b > a) {
      pts.append(c.evalPoint(b));
      ts.append(b);
    }
  } else {
    sampleCurve(c, a, b, eps, maxTurn, pts, ts);
  }
  if (reversed) {
    pts.reverse();
    ts.reverse();
  }
  points.append(pts);
  params.append(ts);
}

template <class Curve>
void uniformSamples(const Curve& c, int numSample,
                    typename GeSpace<Curve::kDim>::PointArray& points) {
  double lo, hi;
  boundedRange(c, lo, hi);
  numSample = std::max(numSample, 2);
  for (int i = 0; i < numSample; ++i) {
    const double t = i + 1 == numSample ? hi : lo + (hi - lo) * i / (numSample - 1);
    points.append(c.evalPoint(t));
  }
}

template <class Curve>
Vexa::ErrorStatus splitInTwo(const Curve& c, double param, Curve*& piece1, Curve*& piece2) {
  QvArray<Curve*> pieces;
  const Vexa::ErrorStatus es = c.getSplitCurves(QvGeDoubleArray{param}, pieces);
  if (es != Vexa::eOk) return es;
  if (pieces.length() != 2) {
    for (Curve* piece : pieces) delete piece;
    return Vexa::eOutOfRange;
  }
  piece1 = pieces[0];
  piece2 = pieces[1];
  return Vexa::eOk;
}

}  // namespace qvge_detail
