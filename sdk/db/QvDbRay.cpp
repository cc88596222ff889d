#include "sdk/db/QvDbRay.h"

#include <cmath>

#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRay)

QvDbRay::QvDbRay(const QvGePoint3d& basePoint, const QvGeVector3d& direction) : base_(basePoint) {
  if (!direction.isZeroLength()) direction_ = direction.normal();
}

QvGePoint3d QvDbRay::basePoint() const {
  assertReadEnabled();
  return base_;
}

Vexa::ErrorStatus QvDbRay::setBasePoint(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  base_ = point;
  return Vexa::eOk;
}

QvGeVector3d QvDbRay::unitDir() const {
  assertReadEnabled();
  return direction_;
}

Vexa::ErrorStatus QvDbRay::setUnitDir(const QvGeVector3d& direction) {
  if (direction.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  direction_ = direction.normal();
  return Vexa::eOk;
}

QvGePoint3d QvDbRay::secondPoint() const {
  assertReadEnabled();
  return base_ + direction_;
}

Vexa::ErrorStatus QvDbRay::setSecondPoint(const QvGePoint3d& point) {
  return setUnitDir(point - basePoint());
}

Vexa::ErrorStatus QvDbRay::extend(double newParam) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!std::isfinite(newParam) || newParam >= 0.0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  base_ = base_ + direction_ * newParam;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRay::extend(bool extendStart, const QvGePoint3d& toPoint) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!extendStart) return Vexa::eNotApplicable;  // no end to move
  const QvGeVector3d offset = toPoint - base_;
  const double t = offset.dotProduct(direction_);
  if ((offset - direction_ * t).length() > pointTolerance(toPoint) || t >= 0.0)
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  base_ = toPoint;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRay::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  area = 0.0;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRay::reverseCurve() {
  return Vexa::eNotApplicable;
}

const QvGeCurve3d* QvDbRay::geCurve(qvdb_detail::GeCurveBuffer& buffer, bool unbounded) const {
  if (unbounded) return &buffer.emplace<QvGeLine3d>(base_, direction_);
  return &buffer.emplace<QvGeRay3d>(base_, direction_);
}

Vexa::ErrorStatus QvDbRay::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d direction = direction_;
  direction.transformBy(xform);
  if (direction.isZeroLength()) return Vexa::eDegenerateGeometry;
  base_.transformBy(xform);
  direction_ = direction.normal();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRay::subGetGeomExtents(QvDbExtents&) const {
  return Vexa::eInvalidExtents;
}

Vexa::ErrorStatus QvDbRay::subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                            QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(base_, QvDb::kOsModeEnd);
  grips.add(base_ + direction_, QvDb::kOsModeNode);
  return Vexa::eOk;
}

bool QvDbRay::subWorldDraw(QvGiWorldDraw* wd) {
  wd->geometry().ray(basePoint(), direction_);
  return true;
}
