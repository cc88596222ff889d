#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of 3D polylines (QvDb3dPolyline): a new length at the end nearer
// the pick (see xqSetPolylineLength).
class QvDb3dPolylineInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDb3dPolylineInternalPE);

  // eInvalidInput for an entity of another class.
  Vexa::ErrorStatus setEntityLength(QvDbEntity* entity, double newLength,
                                    const QvGePoint3d& pickPoint) override;
};
