#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of curves (QvDbCurve), and what circles answer: the area
// the curve encloses with its closing chord and the length along the curve. A curve has no
// included angle to set (eNotApplicable). Entities that are not curves answer eNotApplicable.
class QvDbCurveInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbCurveInternalPE);

  Vexa::ErrorStatus entityArea(const QvDbEntity* entity, double& area) override;
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
  Vexa::ErrorStatus setEntityAngle(QvDbEntity* entity, double newAngle,
                                   const QvGePoint3d& pickPoint) override;
};
