#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of swept surfaces (QvDbSweptSurface).
class QvDbSweptSurfaceInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbSweptSurfaceInternalPE);
};
