#include "sdk/ge/QvGeLinearEnt3d.h"

#include <cmath>

#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/detail/CurveAlgorithms.h"
#include "sdk/ge/detail/Finite.h"
#include "sdk/ge/detail/LinearMath.h"

namespace {

qvge_detail::LinearSpan<3> spanOf(const QvGeLinearEnt3d& line, const QvGePoint3d& base,
                                  const QvGeVector3d& dir) {
  QvGeInterval i;
  line.getInterval(i);
  return {base, dir, i.isBoundedBelow() ? i.lowerBound() : -HUGE_VAL,
          i.isBoundedAbove() ? i.upperBound() : HUGE_VAL};
}

}  // namespace

QvGeLinearEnt3d::QvGeLinearEnt3d(const QvGePoint3d& base, const QvGeVector3d& paramVector,
                                 bool unitParam)
    : unitParam_(unitParam) {
  setLinear(base, paramVector, true);
}

void QvGeLinearEnt3d::setLinear(const QvGePoint3d& base, const QvGeVector3d& paramVector,
                                bool valid) {
  const bool finite = qvge_detail::isFinite(base) && qvge_detail::isFinite(paramVector);
  base_ = finite ? base : QvGePoint3d::kOrigin;
  paramVector_ = finite ? paramVector : QvGeVector3d::kIdentity;
  valid_ = valid && finite;
}

QvGeVector3d QvGeLinearEnt3d::direction() const {
  return paramVector_.isZeroLength() ? QvGeVector3d::kIdentity : paramVector_.normal();
}

QvGeLine3d QvGeLinearEnt3d::getLine() const {
  return QvGeLine3d(base_, direction());
}

bool QvGeLinearEnt3d::isParallelTo(const QvGeLinearEnt3d& other, const QvGeTol& tol) const {
  return paramVector_.isParallelTo(other.paramVector_, tol);
}

bool QvGeLinearEnt3d::isColinearTo(const QvGeLinearEnt3d& other, const QvGeTol& tol) const {
  return isParallelTo(other, tol) && getLine().isOn(other.base_, tol);
}

bool QvGeLinearEnt3d::isPerpendicularTo(const QvGeLinearEnt3d& other, const QvGeTol& tol) const {
  return paramVector_.isPerpendicularTo(other.paramVector_, tol);
}

QvGePoint3d QvGeLinearEnt3d::evalPoint(double param) const {
  return base_ + paramVector_ * param;
}

void QvGeLinearEnt3d::evalDerivatives(double param, int numDeriv, QvGePoint3d& point,
                                      QvGeVector3d* derivs) const {
  point = evalPoint(param);
  for (int i = 0; i < numDeriv && i < kMaxDerivatives; ++i)
    derivs[i] = i == 0 ? paramVector_ : QvGeVector3d::kIdentity;
}

QvGePoint3d QvGeLinearEnt3d::closestPointTo(const QvGePoint3d& p, double& param,
                                            const QvGeTol& /*tol*/) const {
  param = spanOf(*this, base_, paramVector_).closestParam(p);
  return evalPoint(param);
}

bool QvGeLinearEnt3d::projClosestPointTo(const QvGePoint3d& p, const QvGeVector3d& direction,
                                         QvGePoint3d& result, double& param,
                                         const QvGeTol& tol) const {
  QvGe::ErrorCondition flag;
  const QvGeVector3d unit = QvGeVector3d(direction).normalize(tol, flag);
  if (flag != QvGe::kOk || !valid_) return false;
  // The same problem with everything seen along the direction.
  const qvge_detail::AlongDirectionView view{unit};
  const QvGeVector3d d = view(paramVector_);
  const auto span = spanOf(*this, base_, paramVector_);
  if (d.lengthSqrd() <= tol.equalVector() * tol.equalVector() * paramVector_.lengthSqrd()) {
    // Seen end-on, every point is as near as any other: take the nearest in space.
    param = span.closestParam(p);
  } else {
    param = span.clampParam(-view(base_ - p).dotProduct(d) / d.lengthSqrd());
  }
  result = evalPoint(param);
  return true;
}

double QvGeLinearEnt3d::length(double fromParam, double toParam, double /*tol*/) const {
  return spanOf(*this, base_, paramVector_)
      .length(fromParam, toParam, qvge_detail::kUnboundedParam);
}

bool QvGeLinearEnt3d::getParamAtLength(double datumParam, double length, bool posParamDir,
                                       double& param, double /*tol*/) const {
  return spanOf(*this, base_, paramVector_)
      .getParamAtLength(datumParam, length, posParamDir, param);
}

void QvGeLinearEnt3d::getSamplePoints(double fromParam, double toParam, double /*approxEps*/,
                                      QvGePoint3dArray& points, QvGeDoubleArray& params) const {
  if (std::isnan(fromParam) || std::isnan(toParam)) return;
  double lo, hi;
  qvge_detail::boundedRange(*this, lo, hi);
  const double a = std::clamp(fromParam, lo, hi), b = std::clamp(toParam, lo, hi);
  points.append(evalPoint(a));
  params.append(a);
  if (a != b) {
    points.append(evalPoint(b));
    params.append(b);
  }
}

QvGeBoundBlock3d QvGeLinearEnt3d::orthoBoundBlock(const QvGeInterval& range) const {
  double lo, hi;
  qvge_detail::boundedRange(*this, lo, hi);
  const double a = std::clamp(range.isBoundedBelow() ? range.lowerBound() : lo, lo, hi);
  const double b = std::clamp(range.isBoundedAbove() ? range.upperBound() : hi, lo, hi);
  return QvGeBoundBlock3d(evalPoint(a), evalPoint(b));
}

Vexa::ErrorStatus QvGeLinearEnt3d::transformBy(const QvGeMatrix3d& m) {
  if (!qvge_detail::isFinite(m)) return Vexa::eInvalidInput;
  QvGePoint3d base = base_;
  QvGeVector3d dir = paramVector_;
  base.transformBy(m);
  dir.transformBy(m);
  if (unitParam_) {
    QvGe::ErrorCondition flag;
    dir.normalize(QvGeContext::gTol, flag);
    if (flag != QvGe::kOk) return Vexa::eDegenerateGeometry;
  }
  base_ = base;
  paramVector_ = dir;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeLinearEnt3d::project(const QvGePlane& plane, const QvGeVector3d& direction,
                                           QvGeCurve3d*& result) const {
  if (!plane.isValid() || direction.isZeroLength()) return Vexa::eInvalidInput;
  QvGeMatrix3d projection;
  if (!projection.setToProjection(plane, direction)) return Vexa::eNotApplicable;
  if (!valid_) return Vexa::eInvalidInput;
  QvGeVector3d dir = paramVector_;
  if (dir.transformBy(projection).isZeroLength()) return Vexa::eDegenerateGeometry;
  QvGeCurve3d* image = copy();
  if (image->transformBy(projection) != Vexa::eOk) {
    delete image;
    return Vexa::eDegenerateGeometry;
  }
  result = image;
  return Vexa::eOk;
}

QvGeCurve3d* QvGeLinearEnt3d::getTrimmedCurve(double fromParam, double toParam) const {
  QvGeInterval interval;
  getInterval(interval);
  if (!valid_ || !(fromParam < toParam) || !std::isfinite(fromParam) || !std::isfinite(toParam) ||
      !interval.contains(fromParam) || !interval.contains(toParam))
    return nullptr;
  return new QvGeLineSeg3d(evalPoint(interval.clamp(fromParam)),
                           evalPoint(interval.clamp(toParam)));
}
