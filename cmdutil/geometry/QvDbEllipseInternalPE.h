#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of ellipses (QvDbEllipse): the included angle of an
// elliptical arc.
class QvDbEllipseInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbEllipseInternalPE);

  // End angle minus start angle, in [0, 2 pi); eInvalidInput for no ellipse or a closed one.
  Vexa::ErrorStatus entityAngle(const QvDbEntity* entity, double& angle) override;
};
