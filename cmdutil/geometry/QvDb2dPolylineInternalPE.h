#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of 2D polylines (QvDb2dPolyline).
class QvDb2dPolylineInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDb2dPolylineInternalPE);
};
