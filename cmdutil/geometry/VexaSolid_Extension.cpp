#include "cmdutil/geometry/VexaSolid_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbSolid.h"

Vexa::ErrorStatus VexaSolid_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                     QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbSolid* solid = QvDbSolid::cast(entity);
  if (!solid) return Vexa::eNotApplicable;
  QvGePoint3d p0;
  if (solid->getPointAt(0, p0) != Vexa::eOk) return Vexa::eNotApplicable;
  QvGeVector3d x;
  for (int index = 1; index <= 3 && x.isZeroLength(); ++index) {
    QvGePoint3d p;
    if (solid->getPointAt(index, p) == Vexa::eOk) x = p - p0;
  }
  return XqAlignedUcs::setFromX(ucs, p0, x, XqAlignedUcs::normalOrZ(solid->normal()))
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaSolid_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbSolid* solid = QvDbSolid::cast(entity);
  if (!solid) return Vexa::eNotApplicable;
  return solid->getPointAt(0, point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
