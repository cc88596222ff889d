#include "cmdutil/geometry/QvDbSectionInternalPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSectionInternalPE, L"QvDbEntityInternalPE")

Vexa::ErrorStatus QvDbSectionInternalPE::entityArea(const QvDbEntity*, double& area) {
  area = 0.0;
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbSectionInternalPE::entityLength(const QvDbEntity*, double& length) {
  length = 0.0;
  return Vexa::eNotApplicable;
}
