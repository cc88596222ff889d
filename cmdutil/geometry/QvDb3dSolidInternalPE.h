#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of 3D solids (QvDb3dSolid).
class QvDb3dSolidInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDb3dSolidInternalPE);
};
