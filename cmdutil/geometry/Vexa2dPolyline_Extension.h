#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of 2D polylines (QvDb2dPolyline).
class Vexa2dPolyline_Extension : public VexaCurve_Extension {
 public:
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
  Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point) override;
};
