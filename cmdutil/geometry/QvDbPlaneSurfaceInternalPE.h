#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of plane surfaces (QvDbPlaneSurface).
class QvDbPlaneSurfaceInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbPlaneSurfaceInternalPE);
};
