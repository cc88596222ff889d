#include "cmdutil/geometry/QvDbSweptSurfaceInternalPE.h"

#include "cmdutil/geometry/XqModelerMeasure.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSweptSurfaceInternalPE, L"QvDbEntityInternalPE")

Vexa::ErrorStatus QvDbSweptSurfaceInternalPE::entityArea(const QvDbEntity* entity, double& area) {
  return xqModelerEntityArea(entity, area);
}

Vexa::ErrorStatus QvDbSweptSurfaceInternalPE::entityLength(const QvDbEntity* entity,
                                                           double& length) {
  return xqModelerEntityLength(entity, length);
}
