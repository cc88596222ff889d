#include "cmdutil/geometry/VexaCircle_Extension.h"

#include <cmath>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbCircle.h"
#include "xqcmdutil/XqArbitraryAxis.h"

void VexaCircle_Extension::getEcs(const QvDbEntity* entity, QvGeMatrix3d& ecs) const {
  ecs.setToIdentity();
  const QvDbCircle* circle = QvDbCircle::cast(entity);
  if (!circle) return;
  QvGeVector3d x = QvGeVector3d::kXAxis, y = QvGeVector3d::kYAxis, z = QvGeVector3d::kZAxis;
  if (!vexaGetArbitraryAxis(circle->normal(), x, y, z)) {
    x = QvGeVector3d::kXAxis;
    y = QvGeVector3d::kYAxis;
    z = QvGeVector3d::kZAxis;
  }
  ecs.setCoordSystem(circle->center(), x, y, z);
}

Vexa::ErrorStatus VexaCircle_Extension::getAlignedUCS(QvDbEntity* entity,
                                                      const QvGePoint3d* pickPoint, QvGsView* view,
                                                      QvGeMatrix3d& ucs) {
  const QvDbCircle* circle = QvDbCircle::cast(entity);
  if (!circle) return Vexa::eNotApplicable;
  const QvGePoint3d center = circle->center();
  const QvGeVector3d normal = XqAlignedUcs::normalOrZ(circle->normal());
  QvGeMatrix3d ecs;
  getEcs(circle, ecs);
  QvGeVector3d x;
  if (const Vexa::ErrorStatus es = XqAlignedUcs::checkPick(pickPoint, view); es != Vexa::eOk)
    return es;
  if (pickPoint) {
    const QvGePoint3d onPlane =
        XqAlignedUcs::projectPick(*pickPoint, *view, QvGePlane(center, normal));
    const QvGeMatrix3d toEcs = ecs.inverse();
    x = QvGePoint3d(onPlane).transformBy(toEcs) - QvGePoint3d(center).transformBy(toEcs);
  } else {
    const double angle = XqAlignedUcs::snapAngle();
    x.set(std::cos(angle), std::sin(angle), 0.0);
  }
  x.transformBy(ecs);
  // A pick that does not reach the plane, seen along it, leaves its height out of the axis.
  return XqAlignedUcs::setFromX(ucs, center, XqAlignedUcs::inPlane(x, normal.normal()), normal)
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaCircle_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbCircle* circle = QvDbCircle::cast(entity);
  if (!circle) return Vexa::eNotApplicable;
  point = circle->center();
  return Vexa::eOk;
}
