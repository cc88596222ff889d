#include "sdk/db/QvDbVertexPolylineImp.h"

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"

QvDbVertexPolylineImp::QvDbVertexPolylineImp(QvDbEntity* polyline) : QvDbImpObject(polyline) {}

Vexa::ErrorStatus QvDbVertexPolylineImp::getGsMarkerBySubEnt(QvDbObjectId vertexId,
                                                             int64_t& marker) const {
  if (const Vexa::ErrorStatus es = entity()->assertReadEnabled(); es != Vexa::eOk) return es;
  const QvDbOwnedEntities* list = nullptr;
  if (const auto* p2 = QvDb2dPolyline::cast(entity())) list = &p2->vertices_;
  if (const auto* p3 = QvDb3dPolyline::cast(entity())) list = &p3->vertices_;
  if (!list || vertexId.isNull() || list->indexOf(vertexId) < 0) return Vexa::eInvalidInput;
  marker = vertexId.asOldId();
  return Vexa::eOk;
}
