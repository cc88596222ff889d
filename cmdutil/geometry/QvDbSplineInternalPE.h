#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

class QvDbSpline;
class QvGeNurbCurve3d;

// The internal protocol extension of splines (QvDbSpline), on the NURBS curve the spline's
// implementation object keeps. A spline is only ever shortened.
class QvDbSplineInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbSplineInternalPE);

  // The length of the NURBS curve over its interval; eNotApplicable for no spline,
  // eInvalidInput when it has no implementation object.
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
  // Cuts the spline back to the new length from the end nearer the pick: the end whose half
  // of the length holds the point of the curve nearest the pick. eNotApplicable for no spline;
  // eInvalidInput for no implementation object, a closed spline, a length that is not finite,
  // not positive or longer than the spline. The spline is then unchanged.
  Vexa::ErrorStatus setEntityLength(QvDbEntity* entity, double newLength,
                                    const QvGePoint3d& pickPoint) override;
};
