#include "cmdutil/geometry/QvDbHatchInternalPE.h"

#include "sdk/db/QvDbHatch.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbHatchInternalPE, L"QvDbEntityInternalPE")

Vexa::ErrorStatus QvDbHatchInternalPE::entityArea(const QvDbEntity* entity, double& area) {
  area = 0.0;
  const QvDbHatch* hatch = QvDbHatch::cast(entity);
  if (!hatch || hatch->getArea(area) != Vexa::eOk) {
    area = 0.0;
    return Vexa::eNotApplicable;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHatchInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  length = 0.0;
  const QvDbHatch* hatch = QvDbHatch::cast(entity);
  if (!hatch || hatch->numEvaluatedLoops() == 0 || hatch->getPerimeter(length) != Vexa::eOk) {
    length = 0.0;
    return Vexa::eInvalidInput;
  }
  return Vexa::eOk;
}
