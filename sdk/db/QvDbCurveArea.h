#pragma once

#include "sdk/base/VexaErrorStatus.h"

class QvDbCurve;

// The area of a curve, as the host's property commands measure it: what QvDbCurve::getArea
// answers (the area enclosed by the curve and, for an open curve, the chord from its end back
// to its start). The curve must stay readable while the object is used.
class QvDbCurveArea {
 public:
  explicit QvDbCurveArea(const QvDbCurve* curve) : curve_(curve) {}

  // eNullPtr for no curve; otherwise the curve's own status.
  Vexa::ErrorStatus getArea(double& area) const;

 private:
  const QvDbCurve* curve_;
};
