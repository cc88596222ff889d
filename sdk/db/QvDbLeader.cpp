#include "sdk/db/QvDbLeader.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbLeader)

int QvDbLeader::numVertices() const {
  assertReadEnabled();
  return vertices_.length();
}

Vexa::ErrorStatus QvDbLeader::appendVertex(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_.append(point);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLeader::getVertexAt(int index, QvGePoint3d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index >= vertices_.length()) return Vexa::eInvalidIndex;
  point = vertices_[index];
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLeader::setVertexAt(int index, const QvGePoint3d& point) {
  if (index < 0 || index >= vertices_.length()) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[index] = point;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLeader::removeLastVertex() {
  if (vertices_.isEmpty()) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_.removeLast();
  return Vexa::eOk;
}

QvGeVector3d QvDbLeader::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbLeader::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

QvDbObjectId QvDbLeader::annotationObjId() const {
  assertReadEnabled();
  return annotationId_;
}

Vexa::ErrorStatus QvDbLeader::attachAnnotation(QvDbObjectId annotationId) {
  if (isResident() && !annotationId.isNull() && annotationId.database() != database())
    return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  annotationId_ = annotationId;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLeader::detachAnnotation() {
  return attachAnnotation(QvDbObjectId());
}

void QvDbLeader::visitIds(QvDbIdVisitor& visitor) {
  QvDbCurve::visitIds(visitor);
  if (!annotationId_.isNull()) visitor.visit(annotationId_, QvDbIdVisitor::kSoftPointer);
}

const QvGeCurve3d* QvDbLeader::geCurve(qvdb_detail::GeCurveBuffer&, bool) const {
  if (vertices_.length() < 2 || path_.set(vertices_) != Vexa::eOk) return nullptr;
  return &path_;
}

Vexa::ErrorStatus QvDbLeader::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d normal;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  for (QvGePoint3d& vertex : vertices_) vertex.transformBy(xform);
  normal_ = normal;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLeader::subGetGeomExtents(QvDbExtents& extents) const {
  if (vertices_.isEmpty()) return Vexa::eInvalidExtents;
  for (const QvGePoint3d& vertex : vertices_) extents.addPoint(vertex);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLeader::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                               QvDbIntArray& osnapModes,
                                               QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  for (const QvGePoint3d& vertex : vertices_) grips.add(vertex, QvDb::kOsModeEnd);
  return Vexa::eOk;
}

bool QvDbLeader::subWorldDraw(QvGiWorldDraw* wd) {
  if (!vertices_.isEmpty())
    wd->geometry().polyline(vertices_.length(), vertices_.asArrayPtr(), &normal_);
  return true;
}
