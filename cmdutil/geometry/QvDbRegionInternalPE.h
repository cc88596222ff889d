#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of regions (QvDbRegion): the region's own area and
// perimeter. eNotApplicable for no region or a null one.
class QvDbRegionInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbRegionInternalPE);

  Vexa::ErrorStatus entityArea(const QvDbEntity* entity, double& area) override;
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
};
