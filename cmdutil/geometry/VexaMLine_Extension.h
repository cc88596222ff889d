#pragma once

#include "cmdutil/geometry/VexaCurve_Extension.h"

// The entity protocol extension of multilines (QvDbMline): the UCS of the element piece nearest
// the pick seen along the view direction, as that line or arc answers it; the first vertex as
// base point.
class VexaMLine_Extension : public VexaCurve_Extension {
 public:
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
  Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point) override;
};
