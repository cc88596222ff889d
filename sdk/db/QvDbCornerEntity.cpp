#include "sdk/db/QvDbCornerEntity.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/ge/QvGePlane.h"

QvDbCornerEntity::QvDbCornerEntity(const QvGePoint3d& p0, const QvGePoint3d& p1,
                                   const QvGePoint3d& p2, const QvGePoint3d& p3) {
  quad_.corners[0] = p0;
  quad_.corners[1] = p1;
  quad_.corners[2] = p2;
  quad_.corners[3] = p3;
}

Vexa::ErrorStatus QvDbCornerEntity::getPointAt(int index, QvGePoint3d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index > 3) return Vexa::eInvalidIndex;
  point = quad_.corners[index];
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCornerEntity::setPointAt(int index, const QvGePoint3d& point) {
  if (index < 0 || index > 3) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  quad_.corners[index] = point;
  return Vexa::eOk;
}

QvGeVector3d QvDbCornerEntity::normal() const {
  assertReadEnabled();
  return quad_.normal;
}

Vexa::ErrorStatus QvDbCornerEntity::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  quad_.normal = normal.normal();
  return Vexa::eOk;
}

double QvDbCornerEntity::thickness() const {
  assertReadEnabled();
  return quad_.thickness;
}

Vexa::ErrorStatus QvDbCornerEntity::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  quad_.thickness = thickness;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCornerEntity::subTransformBy(const QvGeMatrix3d& xform) {
  return quad_.transformBy(xform);
}

Vexa::ErrorStatus QvDbCornerEntity::subGetGeomExtents(QvDbExtents& extents) const {
  extents = QvDbExtents(quad_.extents());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCornerEntity::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                     QvDbIntArray& osnapModes,
                                                     QvDbIntArray& geomIds) const {
  quad_.gripPoints(gripPoints, osnapModes, geomIds);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCornerEntity::subGetPlane(QvGePlane& plane,
                                                QvDb::Planarity& planarity) const {
  plane.set(quad_.corners[0], quad_.normal);
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCornerEntity::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  quad_.outlineCurves(curves);
  return Vexa::eOk;
}

bool QvDbCornerEntity::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  quad_.draw(wd);
  return true;
}
