#include "cmdutil/geometry/QvDbRegionInternalPE.h"

#include "sdk/modeler/QvDbRegion.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbRegionInternalPE, L"QvDbEntityInternalPE")

namespace {

template <class Measure>
Vexa::ErrorStatus measure(const QvDbEntity* entity, double& value, Measure query) {
  value = 0.0;
  const QvDbRegion* region = QvDbRegion::cast(entity);
  if (!region || (region->*query)(value) != Vexa::eOk) {
    value = 0.0;
    return Vexa::eNotApplicable;
  }
  return Vexa::eOk;
}

}  // namespace

Vexa::ErrorStatus QvDbRegionInternalPE::entityArea(const QvDbEntity* entity, double& area) {
  return measure(entity, area, &QvDbRegion::getArea);
}

Vexa::ErrorStatus QvDbRegionInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  return measure(entity, length, &QvDbRegion::getPerimeter);
}
