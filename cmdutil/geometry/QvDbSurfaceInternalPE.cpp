#include "cmdutil/geometry/QvDbSurfaceInternalPE.h"

#include "cmdutil/geometry/XqModelerMeasure.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSurfaceInternalPE, L"QvDbEntityInternalPE")

Vexa::ErrorStatus QvDbSurfaceInternalPE::entityArea(const QvDbEntity* entity, double& area) {
  return xqModelerEntityArea(entity, area);
}

Vexa::ErrorStatus QvDbSurfaceInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  return xqModelerEntityLength(entity, length);
}
