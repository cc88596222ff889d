#include "sdk/db/QvDbPolygonMeshVertex.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbPolygonMeshVertex)
QVRX_DEFINE_HOST_MEMBERS(QvDbPolyFaceMeshVertex)
QVRX_DEFINE_HOST_MEMBERS(QvDbFaceRecord)

QvDbPolygonMeshVertex::QvDbPolygonMeshVertex(const QvGePoint3d& position) : position_(position) {}

QvDbPolyMeshVertexType QvDbPolygonMeshVertex::vertexType() const {
  assertReadEnabled();
  return type_;
}

Vexa::ErrorStatus QvDbPolygonMeshVertex::setVertexType(QvDbPolyMeshVertexType type) {
  if (type < kSimpleMeshVertex || type > kFitMeshVertex) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  type_ = type;
  return Vexa::eOk;
}

QvGePoint3d QvDbPolygonMeshVertex::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbPolygonMeshVertex::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMeshVertex::subTransformBy(const QvGeMatrix3d& xform) {
  position_.transformBy(xform);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMeshVertex::subGetGeomExtents(QvDbExtents& extents) const {
  extents.set(position_, position_);
  return Vexa::eOk;
}

QvDbPolyFaceMeshVertex::QvDbPolyFaceMeshVertex(const QvGePoint3d& position) : position_(position) {}

QvGePoint3d QvDbPolyFaceMeshVertex::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbPolyFaceMeshVertex::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyFaceMeshVertex::subTransformBy(const QvGeMatrix3d& xform) {
  position_.transformBy(xform);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyFaceMeshVertex::subGetGeomExtents(QvDbExtents& extents) const {
  extents.set(position_, position_);
  return Vexa::eOk;
}

QvDbFaceRecord::QvDbFaceRecord(int16_t vtx0, int16_t vtx1, int16_t vtx2, int16_t vtx3,
                               bool e0visible, bool e1visible, bool e2visible, bool e3visible)
    : vertices_{vtx0, vtx1, vtx2, vtx3},
      invisible_{!e0visible, !e1visible, !e2visible, !e3visible} {
  for (int16_t& v : vertices_)
    if (v < 0) v = 0;
}

Vexa::ErrorStatus QvDbFaceRecord::getVertexAt(int faceIndex, int16_t& vtxIndex) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (faceIndex < 0 || faceIndex > 3) return Vexa::eInvalidIndex;
  vtxIndex = vertices_[faceIndex];
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFaceRecord::setVertexAt(int faceIndex, int16_t vtxIndex) {
  if (faceIndex < 0 || faceIndex > 3) return Vexa::eInvalidIndex;
  if (vtxIndex < 0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[faceIndex] = vtxIndex;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFaceRecord::isEdgeVisibleAt(int faceIndex, bool& visible) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (faceIndex < 0 || faceIndex > 3) return Vexa::eInvalidIndex;
  visible = !invisible_[faceIndex];
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFaceRecord::makeEdgeVisibleAt(int faceIndex) {
  if (faceIndex < 0 || faceIndex > 3) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  invisible_[faceIndex] = false;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFaceRecord::makeEdgeInvisibleAt(int faceIndex) {
  if (faceIndex < 0 || faceIndex > 3) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  invisible_[faceIndex] = true;
  return Vexa::eOk;
}
