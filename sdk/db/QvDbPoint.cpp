#include "sdk/db/QvDbPoint.h"

#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbPoint)

QvDbPoint::QvDbPoint(const QvGePoint3d& position) : position_(position) {}

QvGePoint3d QvDbPoint::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbPoint::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

QvGeVector3d QvDbPoint::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbPoint::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

double QvDbPoint::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDbPoint::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

double QvDbPoint::ecsRotation() const {
  assertReadEnabled();
  return ecsRotation_;
}

Vexa::ErrorStatus QvDbPoint::setEcsRotation(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  ecsRotation_ = angle;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPoint::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d normal;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  position_.transformBy(xform);
  normal_ = normal;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPoint::subGetGeomExtents(QvDbExtents& extents) const {
  extents.set(position_, position_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPoint::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                              QvDbIntArray& osnapModes,
                                              QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(position_, QvDb::kOsModeNode);
  return Vexa::eOk;
}

bool QvDbPoint::subWorldDraw(QvGiWorldDraw* wd) {
  const QvGePoint3d point = position();
  wd->geometry().polyline(1, &point, &normal_);
  return true;
}
