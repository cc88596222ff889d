#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of circles (QvDbCircle).
class VexaCircle_Extension : public VexaCurve_Extension {
 public:
  void getEcs(const QvDbEntity* entity, QvGeMatrix3d& ecs) const override;
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
  Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point) override;
};
