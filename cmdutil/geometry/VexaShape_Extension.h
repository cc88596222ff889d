#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of shapes (QvDbShape): the UCS at the shape's position with x
// along its rotation in the plane of its normal.
class VexaShape_Extension : public VexaEntity_Extension {
 public:
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
};
