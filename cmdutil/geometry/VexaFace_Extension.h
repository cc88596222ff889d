#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of 3D faces (QvDbFace).
class VexaFace_Extension : public VexaEntity_Extension {
 public:
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
  Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point) override;
};
