#include "sdk/db/QvDbSpline.h"

#include <cmath>

#include "sdk/db/QvDbSplineImp.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PointsPlane.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbSpline)

QvDbSpline::QvDbSpline(const QvGePoint3dArray& fitPoints, int degree, double fitTolerance,
                       const QvGeVector3d& startTangent, const QvGeVector3d& endTangent) {
  setFitData(fitPoints, degree, fitTolerance, startTangent, endTangent);
}

QvDbSpline::QvDbSpline(int degree, bool rational, bool closed, bool periodic,
                       const QvGePoint3dArray& controlPoints, const QvGeDoubleArray& knots,
                       const QvGeDoubleArray& weights) {
  setNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights);
}

Vexa::ErrorStatus QvDbSpline::setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                           const QvGePoint3dArray& controlPoints,
                                           const QvGeDoubleArray& knots,
                                           const QvGeDoubleArray& weights) {
  if (rational && weights.length() != controlPoints.length()) return Vexa::eInvalidInput;
  QvGeNurbCurve3d curve;
  if (curve.set(degree, knots, controlPoints, rational ? weights : QvGeDoubleArray(), periodic) !=
      Vexa::eOk)
    return Vexa::eInvalidInput;
  if (closed && !periodic && !curve.isClosed()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  curve_ = curve;
  fitTolerance_ = 0.0;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSpline::getNurbsData(int& degree, bool& rational, bool& closed,
                                           bool& periodic, QvGePoint3dArray& controlPoints,
                                           QvGeDoubleArray& knots, QvGeDoubleArray& weights) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  curve_.getDefinitionData(degree, rational, periodic, knots, controlPoints, weights);
  closed = curve_.isClosed();
  return Vexa::eOk;
}

int QvDbSpline::degree() const {
  assertReadEnabled();
  return curve_.degree();
}

bool QvDbSpline::isRational() const {
  assertReadEnabled();
  return curve_.isRational();
}

int QvDbSpline::numControlPoints() const {
  assertReadEnabled();
  return curve_.numControlPoints();
}

Vexa::ErrorStatus QvDbSpline::getControlPointAt(int index, QvGePoint3d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index >= curve_.numControlPoints()) return Vexa::eInvalidIndex;
  point = curve_.controlPointAt(index);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSpline::setControlPointAt(int index, const QvGePoint3d& point) {
  int degree = 0;
  bool rational = false, periodic = false;
  QvGeDoubleArray knots, weights;
  QvGePoint3dArray points;
  curve_.getDefinitionData(degree, rational, periodic, knots, points, weights);
  if (index < 0 || index >= points.length()) return Vexa::eInvalidIndex;
  points[index] = point;
  QvGeNurbCurve3d curve;
  if (curve.set(degree, knots, points, weights, periodic) != Vexa::eOk) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  curve_ = curve;  // the fit data no longer describe the curve
  return Vexa::eOk;
}

double QvDbSpline::weightAt(int index) const {
  assertReadEnabled();
  return curve_.isRational() ? curve_.weightAt(index) : 1.0;
}

Vexa::ErrorStatus QvDbSpline::setFitData(const QvGePoint3dArray& fitPoints, int degree,
                                         double fitTolerance, const QvGeVector3d& startTangent,
                                         const QvGeVector3d& endTangent) {
  if (!(fitTolerance >= 0.0)) return Vexa::eInvalidInput;
  QvGeNurbCurve3d curve;
  if (curve.setFitData(fitPoints, degree, startTangent, endTangent) != Vexa::eOk)
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  curve_ = curve;
  fitTolerance_ = fitTolerance;
  return Vexa::eOk;
}

bool QvDbSpline::hasFitData() const {
  assertReadEnabled();
  return curve_.hasFitData();
}

int QvDbSpline::numFitPoints() const {
  assertReadEnabled();
  return curve_.numFitPoints();
}

Vexa::ErrorStatus QvDbSpline::getFitPointAt(int index, QvGePoint3d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  return curve_.getFitPointAt(index, point) ? Vexa::eOk : Vexa::eInvalidIndex;
}

Vexa::ErrorStatus QvDbSpline::setFitPointAt(int index, const QvGePoint3d& point) {
  if (index < 0 || index >= curve_.numFitPoints()) return Vexa::eInvalidIndex;
  QvGePoint3dArray points;
  for (int i = 0; i < curve_.numFitPoints(); ++i) {
    QvGePoint3d p;
    curve_.getFitPointAt(i, p);
    points.append(i == index ? point : p);
  }
  QvGeVector3d start, end;
  curve_.getFitTangents(start, end);
  return setFitData(points, curve_.degree(), fitTolerance_, start, end);
}

Vexa::ErrorStatus QvDbSpline::getFitTangents(QvGeVector3d& startTangent,
                                             QvGeVector3d& endTangent) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!curve_.hasFitData()) return Vexa::eNotApplicable;
  curve_.getFitTangents(startTangent, endTangent);
  return Vexa::eOk;
}

double QvDbSpline::fitTolerance() const {
  assertReadEnabled();
  return fitTolerance_;
}

Vexa::ErrorStatus QvDbSpline::purgeFitData() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  int degree = 0;
  bool rational = false, periodic = false;
  QvGeDoubleArray knots, weights;
  QvGePoint3dArray points;
  curve_.getDefinitionData(degree, rational, periodic, knots, points, weights);
  curve_.set(degree, knots, points, weights, periodic);
  fitTolerance_ = 0.0;
  return Vexa::eOk;
}

const QvGeNurbCurve3d& QvDbSpline::nurbCurve() const {
  assertReadEnabled();
  return curve_;
}

Vexa::ErrorStatus QvDbSpline::setNurbCurve(const QvGeNurbCurve3d& curve) {
  if (!curve.isValid()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  curve_ = curve;
  return Vexa::eOk;
}

bool QvDbSpline::isPeriodic() const {
  assertReadEnabled();
  double period = 0.0;
  return curve_.isPeriodic(period);
}

Vexa::ErrorStatus QvDbSpline::extend(double) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbSpline::extend(bool, const QvGePoint3d&) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbSpline::reverseCurve() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  curve_.reverseParam();
  return Vexa::eOk;
}

const QvGeCurve3d* QvDbSpline::geCurve(qvdb_detail::GeCurveBuffer&, bool) const {
  return curve_.isValid() ? &curve_ : nullptr;
}

Vexa::ErrorStatus QvDbSpline::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeNurbCurve3d curve(curve_);
  if (curve.transformBy(xform) != Vexa::eOk) return Vexa::eNotApplicable;
  curve_ = curve;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSpline::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  QvGePoint3dArray points;
  for (int i = 0; i < curve_.numControlPoints(); ++i) points.append(curve_.controlPointAt(i));
  if (points.isEmpty()) return Vexa::eInvalidInput;
  double tol = QvGeContext::gTol.equalPoint();
  for (int i = 0; i < points.length(); ++i) tol = std::fmax(tol, pointTolerance(points[i]));
  qvdb_detail::planeOfPoints(points, tol, plane, planarity);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSpline::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                               QvDbIntArray& osnapModes,
                                               QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  if (curve_.hasFitData()) {
    for (int i = 0; i < curve_.numFitPoints(); ++i) {
      QvGePoint3d p;
      curve_.getFitPointAt(i, p);
      grips.add(p, QvDb::kOsModeNode);
    }
  } else {
    for (int i = 0; i < curve_.numControlPoints(); ++i)
      grips.add(curve_.controlPointAt(i), QvDb::kOsModeNode);
  }
  return Vexa::eOk;
}

bool QvDbSpline::subWorldDraw(QvGiWorldDraw* wd) {
  if (nurbCurve().isValid()) wd->geometry().nurbs(curve_);
  return true;
}

QvDbImpObject* QvDbSpline::createImpObject() {
  return new QvDbSplineImp(this);
}

QvDbSplineImp::QvDbSplineImp(QvDbSpline* spline) : QvDbImpObject(spline), spline_(spline) {}

const QvGeNurbCurve3d& QvDbSplineImp::nurbCurve() const {
  return spline_->nurbCurve();
}

Vexa::ErrorStatus QvDbSplineImp::getNurbCurve(QvGeNurbCurve3d& curve) const {
  if (const Vexa::ErrorStatus es = spline_->assertReadEnabled(); es != Vexa::eOk) return es;
  curve = spline_->nurbCurve();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSplineImp::setNurbCurve3d(const QvGeNurbCurve3d& curve) {
  return spline_->setNurbCurve(curve);
}
