#include "cmdutil/geometry/VexaRay_Extension.h"

#include "sdk/db/QvDbRay.h"

Vexa::ErrorStatus VexaRay_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                   QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbRay* ray = QvDbRay::cast(entity);
  if (!ray) return Vexa::eNotApplicable;
  const QvGeVector3d x = ray->unitDir();
  if (x.isZeroLength()) return Vexa::eNotApplicable;
  const QvGeVector3d z = x.perpVector().normal();
  ucs.setCoordSystem(ray->basePoint(), x, z.crossProduct(x).normal(), z);
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaRay_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbRay* ray = QvDbRay::cast(entity);
  if (!ray) return Vexa::eNotApplicable;
  return ray->getStartPoint(point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
