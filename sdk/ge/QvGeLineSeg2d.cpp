#include "sdk/ge/QvGeLineSeg2d.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGeMatrix2d.h"
#include "sdk/ge/detail/Finite.h"
#include "sdk/ge/detail/LinearMath.h"

namespace {
qvge_detail::LinearSpan<2> spanOf(const QvGePoint2d& start, const QvGeVector2d& v) {
  return {start, v, 0.0, 1.0};
}
}  // namespace

QvGeLineSeg2d::QvGeLineSeg2d() : vector_(1.0, 0.0) {}

QvGeLineSeg2d::QvGeLineSeg2d(const QvGePoint2d& start, const QvGePoint2d& end) {
  set(start, end);
}

QvGeLineSeg2d& QvGeLineSeg2d::set(const QvGePoint2d& start, const QvGePoint2d& end) {
  valid_ = qvge_detail::isFinite(start) && qvge_detail::isFinite(end - start);
  start_ = valid_ ? start : QvGePoint2d::kOrigin;
  vector_ = valid_ ? end - start : QvGeVector2d::kIdentity;
  return *this;
}

void QvGeLineSeg2d::reverseParam() {
  start_ += vector_;
  vector_ = -vector_;
}

QvGeVector2d QvGeLineSeg2d::direction() const {
  return vector_.isZeroLength() ? QvGeVector2d::kIdentity : vector_.normal();
}

void QvGeLineSeg2d::evalDerivatives(double param, int numDeriv, QvGePoint2d& point,
                                    QvGeVector2d* derivs) const {
  point = evalPoint(param);
  for (int i = 0; i < numDeriv && i < kMaxDerivatives; ++i)
    derivs[i] = i == 0 ? vector_ : QvGeVector2d::kIdentity;
}

QvGePoint2d QvGeLineSeg2d::closestPointTo(const QvGePoint2d& p, double& param,
                                          const QvGeTol& /*tol*/) const {
  param = spanOf(start_, vector_).closestParam(p);
  return evalPoint(param);
}

double QvGeLineSeg2d::length(double fromParam, double toParam, double /*tol*/) const {
  return spanOf(start_, vector_).length(fromParam, toParam, 1.0);
}

bool QvGeLineSeg2d::getParamAtLength(double datumParam, double length, bool posParamDir,
                                     double& param, double /*tol*/) const {
  return spanOf(start_, vector_).getParamAtLength(datumParam, length, posParamDir, param);
}

void QvGeLineSeg2d::getSamplePoints(double fromParam, double toParam, double /*approxEps*/,
                                    QvGePoint2dArray& points, QvGeDoubleArray& params) const {
  if (std::isnan(fromParam) || std::isnan(toParam)) return;
  const double a = std::clamp(fromParam, 0.0, 1.0), b = std::clamp(toParam, 0.0, 1.0);
  points.append(evalPoint(a));
  params.append(a);
  if (a != b) {
    points.append(evalPoint(b));
    params.append(b);
  }
}

QvGeExtents2d QvGeLineSeg2d::boundBlock(const QvGeInterval& range) const {
  QvGeExtents2d box;
  spanOf(start_, vector_)
      .addToBox(range.isBoundedBelow() ? range.lowerBound() : 0.0,
                range.isBoundedAbove() ? range.upperBound() : 1.0, box);
  return box;
}

Vexa::ErrorStatus QvGeLineSeg2d::transformBy(const QvGeMatrix2d& m) {
  if (!qvge_detail::isFinite(m)) return Vexa::eInvalidInput;
  QvGePoint2d s = start_, e = endPoint();
  set(s.transformBy(m), e.transformBy(m));
  return Vexa::eOk;
}

QvGeCurve2d* QvGeLineSeg2d::getTrimmedCurve(double fromParam, double toParam) const {
  const QvGeInterval interval(0.0, 1.0);
  if (!valid_ || !(fromParam < toParam) || !interval.contains(fromParam) ||
      !interval.contains(toParam))
    return nullptr;
  return new QvGeLineSeg2d(evalPoint(interval.clamp(fromParam)),
                           evalPoint(interval.clamp(toParam)));
}
