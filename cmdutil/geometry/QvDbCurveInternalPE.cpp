#include "cmdutil/geometry/QvDbCurveInternalPE.h"

#include <cmath>

#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbCurveArea.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbCurveInternalPE, L"QvDbEntityInternalPE")

Vexa::ErrorStatus QvDbCurveInternalPE::entityArea(const QvDbEntity* entity, double& area) {
  area = 0.0;
  const QvDbCurve* curve = QvDbCurve::cast(entity);
  if (!curve) return Vexa::eNotApplicable;
  return QvDbCurveArea(curve).getArea(area);
}

Vexa::ErrorStatus QvDbCurveInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  length = 0.0;
  const QvDbCurve* curve = QvDbCurve::cast(entity);
  if (!curve) return Vexa::eNotApplicable;
  double startParam = 0.0, endParam = 0.0, startDist = 0.0, endDist = 0.0;
  if (curve->getStartParam(startParam) != Vexa::eOk || curve->getEndParam(endParam) != Vexa::eOk ||
      curve->getDistAtParam(startParam, startDist) != Vexa::eOk ||
      curve->getDistAtParam(endParam, endDist) != Vexa::eOk)
    return Vexa::eNotApplicable;
  length = std::fabs(endDist - startDist);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurveInternalPE::setEntityAngle(QvDbEntity*, double, const QvGePoint3d&) {
  return Vexa::eNotApplicable;
}
