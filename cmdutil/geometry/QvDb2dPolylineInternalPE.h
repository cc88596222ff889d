#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of 2D polylines (QvDb2dPolyline): a new length at the end nearer
// the pick (see xqSetPolylineLength).
class QvDb2dPolylineInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDb2dPolylineInternalPE);

  // eInvalidInput for an entity of another class.
  Vexa::ErrorStatus setEntityLength(QvDbEntity* entity, double newLength,
                                    const QvGePoint3d& pickPoint) override;
};
