#pragma once

#include <cstdint>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbImpObject.h"
#include "sdk/ge/QvGeContext.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbPolyline;

// The implementation object of a lightweight polyline: vertex identifiers and the selection
// markers of its segments.
class QvDbPolylineImp : public QvDbImpObject {
 public:
  explicit QvDbPolylineImp(QvDbPolyline* polyline);

  Vexa::ErrorStatus setVertexIdentifierAt(unsigned int index, int identifier);
  int vertexIdentifierAt(unsigned int index) const;
  // Segment index + 1 of the segment the point lies on (within tol.equalPoint()); 0 for none.
  int64_t getGsMarkerByPoint(const QvGePoint3d& point,
                             const QvGeTol& tol = QvGeContext::gTol) const;

 private:
  QvDbPolyline* polyline_;
};
