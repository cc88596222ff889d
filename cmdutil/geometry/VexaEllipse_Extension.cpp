#include "cmdutil/geometry/VexaEllipse_Extension.h"

#include <cmath>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbEllipse.h"

// As for circles, with the world as the entity's coordinate system.
Vexa::ErrorStatus VexaEllipse_Extension::getAlignedUCS(QvDbEntity* entity,
                                                       const QvGePoint3d* pickPoint, QvGsView* view,
                                                       QvGeMatrix3d& ucs) {
  const QvDbEllipse* ellipse = QvDbEllipse::cast(entity);
  if (!ellipse) return Vexa::eNotApplicable;
  const QvGePoint3d center = ellipse->center();
  const QvGeVector3d normal = XqAlignedUcs::normalOrZ(ellipse->normal());
  QvGeVector3d x;
  if (const Vexa::ErrorStatus es = XqAlignedUcs::checkPick(pickPoint, view); es != Vexa::eOk)
    return es;
  if (pickPoint) {
    x = XqAlignedUcs::projectPick(*pickPoint, *view, QvGePlane(center, normal)) - center;
  } else {
    const double angle = XqAlignedUcs::snapAngle();
    x.set(std::cos(angle), std::sin(angle), 0.0);
  }
  // The axis lies in the ellipse's plane, whatever plane the snap angle turns in.
  return XqAlignedUcs::setFromX(ucs, center, XqAlignedUcs::inPlane(x, normal.normal()), normal)
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaEllipse_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbEllipse* ellipse = QvDbEllipse::cast(entity);
  if (!ellipse) return Vexa::eNotApplicable;
  point = ellipse->center();
  return Vexa::eOk;
}
