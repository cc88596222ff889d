#include "cmdutil/geometry/QvDbPlaneSurfaceInternalPE.h"

#include "cmdutil/geometry/XqModelerMeasure.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbPlaneSurfaceInternalPE, L"QvDbEntityInternalPE")

Vexa::ErrorStatus QvDbPlaneSurfaceInternalPE::entityArea(const QvDbEntity* entity, double& area) {
  return xqModelerEntityArea(entity, area);
}

Vexa::ErrorStatus QvDbPlaneSurfaceInternalPE::entityLength(const QvDbEntity* entity,
                                                           double& length) {
  return xqModelerEntityLength(entity, length);
}
