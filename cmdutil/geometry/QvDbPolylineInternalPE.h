#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of lightweight polylines (QvDbPolyline): a new length at the end
// nearer the pick (see xqSetPolylineLength).
class QvDbPolylineInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbPolylineInternalPE);

  // eInvalidInput for an entity of another class.
  Vexa::ErrorStatus setEntityLength(QvDbEntity* entity, double newLength,
                                    const QvGePoint3d& pickPoint) override;
};
