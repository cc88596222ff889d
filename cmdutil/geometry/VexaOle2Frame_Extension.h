#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of OLE frames (QvDbOle2Frame): the frame's location as base
// point.
class VexaOle2Frame_Extension : public VexaEntity_Extension {
 public:
  Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point) override;
};
