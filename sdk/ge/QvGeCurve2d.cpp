#include "sdk/ge/QvGeCurve2d.h"

#include "sdk/ge/detail/CurveDefaults.h"

namespace gd = qvge_detail;

void QvGeCurve2d::getInterval(QvGeInterval& interval, QvGePoint2d& start, QvGePoint2d& end) const {
  getInterval(interval);
  gd::hasBoundPoint(*this, true, start);
  gd::hasBoundPoint(*this, false, end);
}

bool QvGeCurve2d::hasStartPoint(QvGePoint2d& p) const {
  return gd::hasBoundPoint(*this, true, p);
}

bool QvGeCurve2d::hasEndPoint(QvGePoint2d& p) const {
  return gd::hasBoundPoint(*this, false, p);
}

bool QvGeCurve2d::isBounded() const {
  QvGeInterval interval;
  getInterval(interval);
  return interval.isBounded();
}

bool QvGeCurve2d::isClosed(const QvGeTol& tol) const {
  QvGePoint2d start, end;
  return hasStartPoint(start) && hasEndPoint(end) && start.isEqualTo(end, tol);
}

bool QvGeCurve2d::isPeriodic(double& /*period*/) const {
  return false;
}

void QvGeCurve2d::getBreakParams(QvGeDoubleArray& params) const {
  params.removeAll();
}

QvGePoint2d QvGeCurve2d::evalPoint(double param, int numDeriv, QvGeVector2dArray& derivs) const {
  return gd::evalIntoArray(*this, param, numDeriv, derivs);
}

Vexa::ErrorStatus QvGeCurve2d::evaluate(double param, int numDeriv, QvGePoint2d& point,
                                        QvGeVector2dArray& derivs) const {
  return gd::checkedEvaluate(*this, param, numDeriv, point, derivs);
}

QvGePoint2d QvGeCurve2d::closestPointTo(const QvGePoint2d& p, double& param,
                                        const QvGeTol& /*tol*/) const {
  param = gd::defaultClosestParam(*this, p);
  return evalPoint(param);
}

QvGePoint2d QvGeCurve2d::closestPointTo(const QvGePoint2d& p, const QvGeTol& tol) const {
  double param;
  return closestPointTo(p, param, tol);
}

double QvGeCurve2d::paramOf(const QvGePoint2d& p, const QvGeTol& tol) const {
  double param;
  closestPointTo(p, param, tol);
  return param;
}

double QvGeCurve2d::distanceTo(const QvGePoint2d& p, const QvGeTol& tol) const {
  return closestPointTo(p, tol).distanceTo(p);
}

bool QvGeCurve2d::isOn(const QvGePoint2d& p, const QvGeTol& tol) const {
  double param;
  return isOn(p, param, tol);
}

bool QvGeCurve2d::isOn(const QvGePoint2d& p, double& param, const QvGeTol& tol) const {
  return gd::isPointOn(*this, p, param, tol);
}

double QvGeCurve2d::length(double fromParam, double toParam, double tol) const {
  return isValid() ? gd::arcLength(*this, fromParam, toParam, tol) : 0.0;
}

double QvGeCurve2d::length() const {
  double lo, hi;
  gd::boundedRange(*this, lo, hi);
  return length(lo, hi);
}

bool QvGeCurve2d::getParamAtLength(double datumParam, double length, bool posParamDir,
                                   double& param, double tol) const {
  return isValid() && gd::paramAtArcLength(*this, datumParam, length, posParamDir, param, tol);
}

double QvGeCurve2d::paramAtLength(double datumParam, double length, bool posParamDir,
                                  double tol) const {
  return gd::uncheckedParamAtLength(*this, datumParam, length, posParamDir, tol);
}

void QvGeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  QvGePoint2dArray& points, QvGeDoubleArray& params) const {
  gd::samplePoints(*this, fromParam, toParam, approxEps, points, params);
}

void QvGeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  QvGePoint2dArray& points) const {
  QvGeDoubleArray params;
  getSamplePoints(fromParam, toParam, approxEps, points, params);
}

void QvGeCurve2d::getSamplePoints(int numSample, QvGePoint2dArray& points) const {
  gd::uniformSamples(*this, numSample, points);
}

QvGeExtents2d QvGeCurve2d::boundBlock() const {
  double lo, hi;
  gd::boundedRange(*this, lo, hi);
  return boundBlock(QvGeInterval(lo, hi));
}

Vexa::ErrorStatus QvGeCurve2d::getSplitCurves(const QvGeDoubleArray& params,
                                              QvArray<QvGeCurve2d*>& pieces) const {
  return gd::splitCurve(*this, params, pieces);
}

Vexa::ErrorStatus QvGeCurve2d::getSplitCurves(double param, QvGeCurve2d*& piece1,
                                              QvGeCurve2d*& piece2) const {
  return gd::splitInTwo(*this, param, piece1, piece2);
}
