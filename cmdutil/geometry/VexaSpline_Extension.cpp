#include "cmdutil/geometry/VexaSpline_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbSpline.h"

namespace {

// The spline's own frame: the normal of its plane when it is planar, turned to the side of world
// Z (a spline drawn in the XY plane gives the world's XY plane); world Z for a spline that is
// straight or twisted, so that its x axis lies as flat as it can.
QvGeVector3d splineNormal(const QvDbSpline& spline) {
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (spline.getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar)
    return QvGeVector3d::kZAxis;
  const QvGeVector3d normal = plane.normal();
  return normal.dotProduct(QvGeVector3d::kZAxis) < 0.0 ? -normal : normal;
}

}  // namespace

Vexa::ErrorStatus VexaSpline_Extension::getAlignedUCS(QvDbEntity* entity,
                                                      const QvGePoint3d* pickPoint, QvGsView* view,
                                                      QvGeMatrix3d& ucs) {
  const QvDbSpline* spline = QvDbSpline::cast(entity);
  if (!spline || spline->numFitPoints() < 2) return Vexa::eNotApplicable;
  QvGePoint3d first, second;
  if (spline->getFitPointAt(0, first) != Vexa::eOk || spline->getFitPointAt(1, second) != Vexa::eOk)
    return Vexa::eNotApplicable;
  bool fromSecond = false;
  if (const Vexa::ErrorStatus es =
          XqAlignedUcs::nearerIsSecond(pickPoint, view, first, second, fromSecond);
      es != Vexa::eOk)
    return es;
  const QvGePoint3d& origin = fromSecond ? second : first;
  const QvGePoint3d& other = fromSecond ? first : second;
  return XqAlignedUcs::setFromX(ucs, origin, other - origin, splineNormal(*spline))
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaSpline_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  if (!entity) return Vexa::eInvalidInput;
  const QvDbSpline* spline = QvDbSpline::cast(entity);
  if (!spline) return Vexa::eNotApplicable;
  return spline->getFitPointAt(0, point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
