#pragma once

#include <cstdint>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbImpObject.h"
#include "sdk/db/QvDbObjectId.h"

// The implementation object of the polylines made of vertex entities (QvDb2dPolyline,
// QvDb3dPolyline): the selection marker of a vertex's segment.
class QvDbVertexPolylineImp : public QvDbImpObject {
 public:
  explicit QvDbVertexPolylineImp(QvDbEntity* polyline);

  // The marker of the segment that leaves the vertex: the vertex id as a 64-bit value.
  // eInvalidInput when the vertex is not one of this polyline's.
  Vexa::ErrorStatus getGsMarkerBySubEnt(QvDbObjectId vertexId, int64_t& marker) const;
};
