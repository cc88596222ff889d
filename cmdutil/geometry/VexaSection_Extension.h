#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of section objects (QvDbSection): the UCS at the first vertex
// with x along the first segment and y up the vertical direction (taken across x), so that z is
// the section plane's normal. The pick point is not used.
class VexaSection_Extension : public VexaEntity_Extension {
 public:
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
};
