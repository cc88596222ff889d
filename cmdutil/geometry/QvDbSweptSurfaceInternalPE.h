#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of swept surfaces (QvDbSweptSurface): their area, and a length of
// 0.
class QvDbSweptSurfaceInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbSweptSurfaceInternalPE);

  Vexa::ErrorStatus entityArea(const QvDbEntity* entity, double& area) override;
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
};
