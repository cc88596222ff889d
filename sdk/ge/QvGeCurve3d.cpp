#include "sdk/ge/QvGeCurve3d.h"

#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/detail/CurveDefaults.h"

namespace gd = qvge_detail;

void QvGeCurve3d::getInterval(QvGeInterval& interval, QvGePoint3d& start, QvGePoint3d& end) const {
  getInterval(interval);
  gd::hasBoundPoint(*this, true, start);
  gd::hasBoundPoint(*this, false, end);
}

bool QvGeCurve3d::hasStartPoint(QvGePoint3d& p) const {
  return gd::hasBoundPoint(*this, true, p);
}

bool QvGeCurve3d::hasEndPoint(QvGePoint3d& p) const {
  return gd::hasBoundPoint(*this, false, p);
}

bool QvGeCurve3d::isBounded() const {
  QvGeInterval interval;
  getInterval(interval);
  return interval.isBounded();
}

bool QvGeCurve3d::isClosed(const QvGeTol& tol) const {
  QvGePoint3d start, end;
  return hasStartPoint(start) && hasEndPoint(end) && start.isEqualTo(end, tol);
}

bool QvGeCurve3d::isPeriodic(double& /*period*/) const {
  return false;
}

void QvGeCurve3d::getBreakParams(QvGeDoubleArray& params) const {
  params.removeAll();
}

QvGePoint3d QvGeCurve3d::evalPoint(double param, int numDeriv, QvGeVector3dArray& derivs) const {
  return gd::evalIntoArray(*this, param, numDeriv, derivs);
}

Vexa::ErrorStatus QvGeCurve3d::evaluate(double param, int numDeriv, QvGePoint3d& point,
                                        QvGeVector3dArray& derivs) const {
  return gd::checkedEvaluate(*this, param, numDeriv, point, derivs);
}

QvGePoint3d QvGeCurve3d::closestPointTo(const QvGePoint3d& p, double& param,
                                        const QvGeTol& /*tol*/) const {
  param = gd::defaultClosestParam(*this, p);
  return evalPoint(param);
}

QvGePoint3d QvGeCurve3d::closestPointTo(const QvGePoint3d& p, const QvGeTol& tol) const {
  double param;
  return closestPointTo(p, param, tol);
}

bool QvGeCurve3d::projClosestPointTo(const QvGePoint3d& p, const QvGeVector3d& direction,
                                     QvGePoint3d& result, double& param, const QvGeTol& tol) const {
  QvGe::ErrorCondition flag;
  const QvGeVector3d unit = QvGeVector3d(direction).normalize(tol, flag);
  if (flag != QvGe::kOk || !isValid()) return false;
  double lo, hi;
  gd::boundedRange(*this, lo, hi);
  param = gd::closestParamOn(*this, p, lo, hi, gd::AlongDirectionView{unit});
  result = evalPoint(param);
  return true;
}

double QvGeCurve3d::paramOf(const QvGePoint3d& p, const QvGeTol& tol) const {
  double param;
  closestPointTo(p, param, tol);
  return param;
}

double QvGeCurve3d::distanceTo(const QvGePoint3d& p, const QvGeTol& tol) const {
  return closestPointTo(p, tol).distanceTo(p);
}

bool QvGeCurve3d::isOn(const QvGePoint3d& p, const QvGeTol& tol) const {
  double param;
  return isOn(p, param, tol);
}

bool QvGeCurve3d::isOn(const QvGePoint3d& p, double& param, const QvGeTol& tol) const {
  return gd::isPointOn(*this, p, param, tol);
}

double QvGeCurve3d::length(double fromParam, double toParam, double tol) const {
  return isValid() ? gd::arcLength(*this, fromParam, toParam, tol) : 0.0;
}

double QvGeCurve3d::length() const {
  double lo, hi;
  gd::boundedRange(*this, lo, hi);
  return length(lo, hi);
}

bool QvGeCurve3d::getParamAtLength(double datumParam, double length, bool posParamDir,
                                   double& param, double tol) const {
  return isValid() && gd::paramAtArcLength(*this, datumParam, length, posParamDir, param, tol);
}

double QvGeCurve3d::paramAtLength(double datumParam, double length, bool posParamDir,
                                  double tol) const {
  return gd::uncheckedParamAtLength(*this, datumParam, length, posParamDir, tol);
}

void QvGeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  QvGePoint3dArray& points, QvGeDoubleArray& params) const {
  gd::samplePoints(*this, fromParam, toParam, approxEps, points, params);
}

void QvGeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  QvGePoint3dArray& points) const {
  QvGeDoubleArray params;
  getSamplePoints(fromParam, toParam, approxEps, points, params);
}

void QvGeCurve3d::getSamplePoints(int numSample, QvGePoint3dArray& points) const {
  gd::uniformSamples(*this, numSample, points);
}

QvGeBoundBlock3d QvGeCurve3d::orthoBoundBlock() const {
  double lo, hi;
  gd::boundedRange(*this, lo, hi);
  return orthoBoundBlock(QvGeInterval(lo, hi));
}

Vexa::ErrorStatus QvGeCurve3d::getSplitCurves(const QvGeDoubleArray& params,
                                              QvArray<QvGeCurve3d*>& pieces) const {
  return gd::splitCurve(*this, params, pieces);
}

Vexa::ErrorStatus QvGeCurve3d::getSplitCurves(double param, QvGeCurve3d*& piece1,
                                              QvGeCurve3d*& piece2) const {
  return gd::splitInTwo(*this, param, piece1, piece2);
}

Vexa::ErrorStatus QvGeCurve3d::orthoProject(const QvGePlane& plane, QvGeCurve3d*& result) const {
  return project(plane, plane.normal(), result);
}
