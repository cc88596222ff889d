#include "cmdutil/geometry/VexaPoint_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbPoint.h"

Vexa::ErrorStatus VexaPoint_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                     QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbPoint* point = QvDbPoint::cast(entity);
  if (!point) return Vexa::eNotApplicable;
  XqAlignedUcs::moveOrigin(ucs, point->position());
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaPoint_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& basePoint) {
  const QvDbPoint* point = QvDbPoint::cast(entity);
  if (!point) return Vexa::eNotApplicable;
  basePoint = point->position();
  return Vexa::eOk;
}
