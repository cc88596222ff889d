#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of hatches (QvDbHatch): the area filled and the length of
// the evaluated boundary.
class QvDbHatchInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbHatchInternalPE);

  // eNotApplicable for no hatch or one whose loops do not close.
  Vexa::ErrorStatus entityArea(const QvDbEntity* entity, double& area) override;
  // The length of every edge of every evaluated loop; eInvalidInput for no hatch or a hatch
  // without a boundary.
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
};
