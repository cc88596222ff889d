#include "sdk/db/QvDbLine.h"

#include <cmath>

#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbLine)

QvDbLine::QvDbLine(const QvGePoint3d& start, const QvGePoint3d& end) : start_(start), end_(end) {}

QvGePoint3d QvDbLine::startPoint() const {
  assertReadEnabled();
  return start_;
}

Vexa::ErrorStatus QvDbLine::setStartPoint(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  start_ = point;
  return Vexa::eOk;
}

QvGePoint3d QvDbLine::endPoint() const {
  assertReadEnabled();
  return end_;
}

Vexa::ErrorStatus QvDbLine::setEndPoint(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  end_ = point;
  return Vexa::eOk;
}

QvGeVector3d QvDbLine::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbLine::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

double QvDbLine::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDbLine::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

const QvGeCurve3d* QvDbLine::geCurve(qvdb_detail::GeCurveBuffer& buffer, bool unbounded) const {
  if (start_.isEqualTo(end_)) return nullptr;
  if (unbounded) return &buffer.emplace<QvGeLine3d>(start_, end_);
  return &buffer.emplace<QvGeLineSeg3d>(start_, end_);
}

double QvDbLine::paramScale() const {
  return start_.distanceTo(end_);
}

Vexa::ErrorStatus QvDbLine::extend(double newParam) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const double length = start_.distanceTo(end_);
  if (length <= QvGeContext::gTol.equalPoint() || !std::isfinite(newParam))
    return Vexa::eInvalidInput;
  const double tol = qvdb_detail::paramTolerance(0.0, length);
  if (newParam >= -tol && newParam <= length + tol) return Vexa::eInvalidInput;
  const QvGePoint3d point = start_ + (end_ - start_) * (newParam / length);
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  (newParam < 0.0 ? start_ : end_) = point;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLine::extend(bool extendStart, const QvGePoint3d& toPoint) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (start_.isEqualTo(end_)) return Vexa::eInvalidInput;
  // The point must lie on the line's carrier, beyond the end that moves.
  const QvGeLine3d carrier(start_, end_);
  double t = 0.0;
  const QvGePoint3d foot = carrier.closestPointTo(toPoint, t);
  if (foot.distanceTo(toPoint) > pointTolerance(toPoint)) return Vexa::eInvalidInput;
  const double length = start_.distanceTo(end_);
  const bool beyond = extendStart ? t < 0.0 : t > length;
  if (!beyond) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  (extendStart ? start_ : end_) = toPoint;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLine::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  area = 0.0;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLine::reverseCurve() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  std::swap(start_, end_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLine::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d normal;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  start_.transformBy(xform);
  end_.transformBy(xform);
  normal_ = normal;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLine::subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                             QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(start_, QvDb::kOsModeEnd);
  grips.add(start_ + (end_ - start_) * 0.5, QvDb::kOsModeMid);
  grips.add(end_, QvDb::kOsModeEnd);
  return Vexa::eOk;
}

bool QvDbLine::subWorldDraw(QvGiWorldDraw* wd) {
  const QvGePoint3d points[2] = {startPoint(), endPoint()};
  wd->geometry().polyline(2, points, &normal_);
  return true;
}
