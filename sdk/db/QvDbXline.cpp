#include "sdk/db/QvDbXline.h"

#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbXline)

QvDbXline::QvDbXline(const QvGePoint3d& basePoint, const QvGeVector3d& direction)
    : base_(basePoint) {
  if (!direction.isZeroLength()) direction_ = direction.normal();
}

QvGePoint3d QvDbXline::basePoint() const {
  assertReadEnabled();
  return base_;
}

Vexa::ErrorStatus QvDbXline::setBasePoint(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  base_ = point;
  return Vexa::eOk;
}

QvGeVector3d QvDbXline::unitDir() const {
  assertReadEnabled();
  return direction_;
}

Vexa::ErrorStatus QvDbXline::setUnitDir(const QvGeVector3d& direction) {
  if (direction.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  direction_ = direction.normal();
  return Vexa::eOk;
}

QvGePoint3d QvDbXline::secondPoint() const {
  assertReadEnabled();
  return base_ + direction_;
}

Vexa::ErrorStatus QvDbXline::setSecondPoint(const QvGePoint3d& point) {
  return setUnitDir(point - basePoint());
}

Vexa::ErrorStatus QvDbXline::extend(double) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbXline::extend(bool, const QvGePoint3d&) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbXline::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  area = 0.0;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbXline::reverseCurve() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  direction_ = -direction_;
  return Vexa::eOk;
}

const QvGeCurve3d* QvDbXline::geCurve(qvdb_detail::GeCurveBuffer& buffer, bool) const {
  return &buffer.emplace<QvGeLine3d>(base_, direction_);
}

Vexa::ErrorStatus QvDbXline::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d direction = direction_;
  direction.transformBy(xform);
  if (direction.isZeroLength()) return Vexa::eDegenerateGeometry;
  base_.transformBy(xform);
  direction_ = direction.normal();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbXline::subGetGeomExtents(QvDbExtents&) const {
  return Vexa::eInvalidExtents;
}

Vexa::ErrorStatus QvDbXline::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                              QvDbIntArray& osnapModes,
                                              QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(base_, QvDb::kOsModeNode);
  grips.add(base_ + direction_, QvDb::kOsModeNode);
  grips.add(base_ - direction_, QvDb::kOsModeNode);
  return Vexa::eOk;
}

bool QvDbXline::subWorldDraw(QvGiWorldDraw* wd) {
  wd->geometry().xline(basePoint(), direction_);
  return true;
}
