#include "sdk/db/QvDbDimension.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbDimension)

QvGeVector3d QvDbDimension::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbDimension::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

QvGePoint3d QvDbDimension::textPosition() const {
  assertReadEnabled();
  return textPosition_;
}

Vexa::ErrorStatus QvDbDimension::setTextPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  textPosition_ = position;
  return Vexa::eOk;
}

double QvDbDimension::horizontalRotation() const {
  assertReadEnabled();
  return horizontalRotation_;
}

Vexa::ErrorStatus QvDbDimension::setHorizontalRotation(double rotation) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  horizontalRotation_ = rotation;
  return Vexa::eOk;
}

QvDbObjectId QvDbDimension::dimBlockId() const {
  assertReadEnabled();
  return dimBlockId_;
}

Vexa::ErrorStatus QvDbDimension::setDimBlockId(QvDbObjectId blockId) {
  if (!blockId.isNull()) {
    if (blockId.objectClass() != QvDbBlockTableRecord::desc()) return Vexa::eWrongObjectType;
    if (isResident() && blockId.database() != database()) return Vexa::eWrongDatabase;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dimBlockId_ = blockId;
  return Vexa::eOk;
}

void QvDbDimension::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!dimBlockId_.isNull()) visitor.visit(dimBlockId_, QvDbIdVisitor::kHardPointer);
}

Vexa::ErrorStatus QvDbDimension::subTransformBy(const QvGeMatrix3d& xform) {
  QvGePlane plane(textPosition_, normal_);
  if (!plane.transformBy(xform)) return Vexa::eDegenerateGeometry;
  QvGePoint3dArray points;
  getDefinitionPoints(points);
  for (QvGePoint3d& point : points) point.transformBy(xform);
  setDefinitionPoints(points);
  textPosition_.transformBy(xform);
  normal_ = plane.normal();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDimension::subGetGeomExtents(QvDbExtents& extents) const {
  QvGePoint3dArray points;
  getDefinitionPoints(points);
  for (const QvGePoint3d& point : points) extents.addPoint(point);
  extents.addPoint(textPosition_);
  return Vexa::eOk;
}
