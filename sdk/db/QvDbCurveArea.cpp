#include "sdk/db/QvDbCurveArea.h"

#include "sdk/db/QvDbCurve.h"

Vexa::ErrorStatus QvDbCurveArea::getArea(double& area) const {
  if (!curve_) return Vexa::eNullPtr;
  return curve_->getArea(area);
}
