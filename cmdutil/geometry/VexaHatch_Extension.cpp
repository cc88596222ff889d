#include "cmdutil/geometry/VexaHatch_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbHatch.h"
#include "xqcmdutil/XqArbitraryAxis.h"

// A hatch has no direction of its own: the UCS lies in its plane at the pick, with the plane's
// arbitrary axes.
Vexa::ErrorStatus VexaHatch_Extension::getAlignedUCS(QvDbEntity* entity,
                                                     const QvGePoint3d* pickPoint, QvGsView* view,
                                                     QvGeMatrix3d& ucs) {
  const QvDbHatch* hatch = QvDbHatch::cast(entity);
  if (!hatch || !pickPoint) return Vexa::eNotApplicable;
  if (const Vexa::ErrorStatus es = XqAlignedUcs::checkPick(pickPoint, view); es != Vexa::eOk)
    return es;
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (hatch->getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar)
    return Vexa::eNotApplicable;
  QvGeVector3d x, y, z;
  if (!vexaGetArbitraryAxis(XqAlignedUcs::normalOrZ(hatch->normal()), x, y, z))
    return Vexa::eNotApplicable;
  ucs.setCoordSystem(XqAlignedUcs::projectPick(*pickPoint, *view, plane), x, y, z);
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaHatch_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbHatch* hatch = QvDbHatch::cast(entity);
  if (!hatch) return Vexa::eNotApplicable;
  point.set(0.0, 0.0, hatch->elevation());
  return Vexa::eOk;
}
