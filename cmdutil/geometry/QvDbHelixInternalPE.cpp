#include "cmdutil/geometry/QvDbHelixInternalPE.h"

#include "sdk/db/QvDbHelix.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbHelixInternalPE, L"QvDbCurveInternalPE")

Vexa::ErrorStatus QvDbHelixInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  length = 0.0;
  const QvDbHelix* helix = QvDbHelix::cast(entity);
  if (!helix) return Vexa::eNotApplicable;
  return helix->getLength(length) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
