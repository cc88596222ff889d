#include "cmdutil/geometry/QvDb3dSolidInternalPE.h"

#include "cmdutil/geometry/XqModelerMeasure.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb3dSolidInternalPE, L"QvDbEntityInternalPE")

Vexa::ErrorStatus QvDb3dSolidInternalPE::entityArea(const QvDbEntity* entity, double& area) {
  return xqModelerEntityArea(entity, area);
}

Vexa::ErrorStatus QvDb3dSolidInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  return xqModelerEntityLength(entity, length);
}
