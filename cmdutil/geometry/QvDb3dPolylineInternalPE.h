#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of 3D polylines (QvDb3dPolyline).
class QvDb3dPolylineInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDb3dPolylineInternalPE);
};
