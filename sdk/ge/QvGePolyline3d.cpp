#include "sdk/ge/QvGePolyline3d.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/Finite.h"
#include "sdk/ge/detail/LinearMath.h"

QvGePolyline3d::QvGePolyline3d() = default;

QvGePolyline3d::QvGePolyline3d(const QvGePoint3dArray& points) {
  set(points);
}

Vexa::ErrorStatus QvGePolyline3d::set(const QvGePoint3dArray& points) {
  if (points.length() < 2) return Vexa::eInvalidInput;
  for (const QvGePoint3d& p : points)
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
      return Vexa::eInvalidInput;
  points_ = points;
  return Vexa::eOk;
}

QvGePoint3d QvGePolyline3d::fitPointAt(int i) const {
  return i >= 0 && i < points_.length() ? points_[i] : QvGePoint3d::kOrigin;
}

bool QvGePolyline3d::getFitPointAt(int i, QvGePoint3d& p) const {
  if (i < 0 || i >= points_.length()) return false;
  p = points_[i];
  return true;
}

void QvGePolyline3d::getInterval(QvGeInterval& interval) const {
  interval.set(0.0, std::max(0.0, lastParam()));
}

void QvGePolyline3d::getBreakParams(QvGeDoubleArray& params) const {
  params.removeAll();
  for (int i = 1; i + 1 < points_.length(); ++i) params.append(i);
}

int QvGePolyline3d::segmentOf(double t) const {
  const int last = points_.length() - 2;
  if (last < 0 || !(t > 0.0)) return 0;
  if (!(t < last)) return last;  // before the cast: far parameters overflow an int
  return static_cast<int>(std::floor(t));
}

QvGePoint3d QvGePolyline3d::evalPoint(double param) const {
  if (points_.isEmpty()) return QvGePoint3d::kOrigin;
  if (points_.length() == 1) return points_[0];
  const int i = segmentOf(param);
  return points_[i] + (points_[i + 1] - points_[i]) * (param - i);
}

void QvGePolyline3d::evalDerivatives(double param, int numDeriv, QvGePoint3d& point,
                                     QvGeVector3d* derivs) const {
  point = evalPoint(param);
  const int i = segmentOf(param);
  const QvGeVector3d d =
      points_.length() >= 2 ? points_[i + 1] - points_[i] : QvGeVector3d::kIdentity;
  for (int k = 0; k < numDeriv && k < kMaxDerivatives; ++k)
    derivs[k] = k == 0 ? d : QvGeVector3d::kIdentity;
}

QvGePoint3d QvGePolyline3d::closestPointTo(const QvGePoint3d& p, double& param,
                                           const QvGeTol& /*tol*/) const {
  if (points_.length() < 2) {
    param = 0.0;
    return evalPoint(0.0);
  }
  double bestT = 0.0, bestD = HUGE_VAL;
  for (int i = 0; i + 1 < points_.length(); ++i) {
    const qvge_detail::LinearSpan<3> span{points_[i], points_[i + 1] - points_[i], 0.0, 1.0};
    const double u = span.closestParam(p);
    const double d = span.at(u).distSqrdTo(p);
    if (d < bestD) bestD = d, bestT = i + u;
  }
  param = bestT;
  return evalPoint(bestT);
}

double QvGePolyline3d::length(double fromParam, double toParam, double /*tol*/) const {
  if (points_.length() < 2) return 0.0;
  double a = std::clamp(fromParam, 0.0, lastParam()), b = std::clamp(toParam, 0.0, lastParam());
  if (a > b) std::swap(a, b);
  double sum = 0.0;
  for (int i = segmentOf(a); i <= segmentOf(b); ++i) {
    const double u0 = std::max(a - i, 0.0), u1 = std::min(b - i, 1.0);
    if (u1 > u0) sum += (u1 - u0) * points_[i].distanceTo(points_[i + 1]);
  }
  return sum;
}

bool QvGePolyline3d::getParamAtLength(double datumParam, double length, bool posParamDir,
                                      double& param, double /*tol*/) const {
  if (points_.length() < 2 || !(length >= 0.0) || !std::isfinite(length) || std::isnan(datumParam))
    return false;
  double t = std::clamp(datumParam, 0.0, lastParam());
  double remaining = length;
  const double slack = QvGePrecision::kRoundoff * std::max(1.0, length);
  while (true) {
    const int i = posParamDir ? segmentOf(t) : (t > 0.0 ? static_cast<int>(std::ceil(t)) - 1 : 0);
    const double segLen = points_[i].distanceTo(points_[i + 1]);
    const double room = posParamDir ? (i + 1 - t) * segLen : (t - i) * segLen;
    if (remaining <= room) {
      if (segLen > 0.0) t += (posParamDir ? 1.0 : -1.0) * remaining / segLen;
      param = std::clamp(t, 0.0, lastParam());
      return true;
    }
    remaining -= room;
    t = posParamDir ? i + 1 : i;
    const bool atEnd = posParamDir ? t >= lastParam() : t <= 0.0;
    if (atEnd) {
      if (remaining > slack) return false;
      param = t;
      return true;
    }
  }
}

void QvGePolyline3d::appendRange(double a, double b, QvGePoint3dArray& out) const {
  out.append(evalPoint(a));
  for (int i = static_cast<int>(std::floor(a)) + 1; i < b; ++i) out.append(points_[i]);
  out.append(evalPoint(b));
}

void QvGePolyline3d::getSamplePoints(double fromParam, double toParam, double /*approxEps*/,
                                     QvGePoint3dArray& points, QvGeDoubleArray& params) const {
  if (points_.length() < 2 || std::isnan(fromParam) || std::isnan(toParam)) return;
  double a = std::clamp(fromParam, 0.0, lastParam()), b = std::clamp(toParam, 0.0, lastParam());
  const bool reversed = a > b;
  if (reversed) std::swap(a, b);
  QvGePoint3dArray pts;
  QvGeDoubleArray ts;
  pts.append(evalPoint(a));
  ts.append(a);
  for (int i = static_cast<int>(std::floor(a)) + 1; i < b; ++i) {
    pts.append(points_[i]);
    ts.append(i);
  }
  if (b > a) {
    pts.append(evalPoint(b));
    ts.append(b);
  }
  if (reversed) {
    pts.reverse();
    ts.reverse();
  }
  points.append(pts);
  params.append(ts);
}

QvGeBoundBlock3d QvGePolyline3d::orthoBoundBlock(const QvGeInterval& range) const {
  if (points_.length() < 2) return QvGeBoundBlock3d(evalPoint(0.0), evalPoint(0.0));
  const double a = std::clamp(range.isBoundedBelow() ? range.lowerBound() : 0.0, 0.0, lastParam());
  const double b =
      std::clamp(range.isBoundedAbove() ? range.upperBound() : lastParam(), 0.0, lastParam());
  QvGePoint3dArray pts;
  appendRange(std::min(a, b), std::max(a, b), pts);
  QvGeExtents3d box;
  for (const QvGePoint3d& p : pts) box.addPoint(p);
  return QvGeBoundBlock3d(box);
}

Vexa::ErrorStatus QvGePolyline3d::transformBy(const QvGeMatrix3d& m) {
  if (!qvge_detail::isFinite(m)) return Vexa::eInvalidInput;
  for (QvGePoint3d& p : points_) p.transformBy(m);
  return Vexa::eOk;
}

QvGeCurve3d* QvGePolyline3d::getTrimmedCurve(double fromParam, double toParam) const {
  const double last = lastParam(), tol = QvGeInterval::kDefaultTol;
  if (points_.length() < 2 || !std::isfinite(fromParam) || !std::isfinite(toParam) ||
      !(fromParam < toParam) || fromParam < -tol)
    return nullptr;
  QvGePoint3dArray pts;
  if (toParam <= last + tol) {
    appendRange(std::max(fromParam, 0.0), std::min(toParam, last), pts);
  } else {
    if (!isClosed() || toParam - fromParam > last + tol) return nullptr;
    appendRange(fromParam, last, pts);
    QvGePoint3dArray rest;
    appendRange(0.0, std::min(toParam - last, fromParam), rest);
    for (int i = 1; i < rest.length(); ++i) pts.append(rest[i]);
  }
  return new QvGePolyline3d(pts);
}

Vexa::ErrorStatus QvGePolyline3d::project(const QvGePlane& plane, const QvGeVector3d& direction,
                                          QvGeCurve3d*& result) const {
  if (!plane.isValid() || direction.isZeroLength()) return Vexa::eInvalidInput;
  QvGeMatrix3d projection;
  if (!projection.setToProjection(plane, direction)) return Vexa::eNotApplicable;
  if (!isValid()) return Vexa::eInvalidInput;
  auto* image = copy();
  image->transformBy(projection);
  if (image->orthoBoundBlock().extents().diagonal() <= QvGeContext::gTol.equalPoint()) {
    delete image;
    return Vexa::eDegenerateGeometry;
  }
  result = image;
  return Vexa::eOk;
}
