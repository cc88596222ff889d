#include "sdk/db/QvDb3dPolylineVertex.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDb3dPolylineVertex)

QvDb3dPolylineVertex::QvDb3dPolylineVertex(const QvGePoint3d& position) : position_(position) {}

QvDb3dPolylineVertexType QvDb3dPolylineVertex::vertexType() const {
  assertReadEnabled();
  return type_;
}

Vexa::ErrorStatus QvDb3dPolylineVertex::setVertexType(QvDb3dPolylineVertexType type) {
  if (type < k3dSimpleVertex || type > k3dFitVertex) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  type_ = type;
  return Vexa::eOk;
}

QvGePoint3d QvDb3dPolylineVertex::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDb3dPolylineVertex::setPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb3dPolylineVertex::subTransformBy(const QvGeMatrix3d& xform) {
  position_.transformBy(xform);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb3dPolylineVertex::subGetGeomExtents(QvDbExtents& extents) const {
  extents.set(position_, position_);
  return Vexa::eOk;
}
