#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of rays (QvDbRay).
class VexaRay_Extension : public VexaCurve_Extension {
 public:
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
  Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point) override;
};
