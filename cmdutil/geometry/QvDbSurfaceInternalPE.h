#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of surfaces (QvDbSurface): their area, and a length of 0.
class QvDbSurfaceInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbSurfaceInternalPE);

  Vexa::ErrorStatus entityArea(const QvDbEntity* entity, double& area) override;
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
};
