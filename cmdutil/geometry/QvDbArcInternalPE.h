#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of arcs (QvDbArc): the included angle, and new angles or
// lengths taken from the end nearer the pick (the other end keeps its angle).
class QvDbArcInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbArcInternalPE);

  // The angle swept, in (0, 2 pi]; eNotApplicable for no arc.
  Vexa::ErrorStatus entityAngle(const QvDbEntity* entity, double& angle) override;
  // The angle of that length on the arc's radius (see setEntityAngle).
  Vexa::ErrorStatus setEntityLength(QvDbEntity* entity, double newLength,
                                    const QvGePoint3d& pickPoint) override;
  // eInvalidInput for no arc or an angle that is not finite or not inside (0, 2 pi); the arc
  // is then unchanged.
  Vexa::ErrorStatus setEntityAngle(QvDbEntity* entity, double newAngle,
                                   const QvGePoint3d& pickPoint) override;
};
