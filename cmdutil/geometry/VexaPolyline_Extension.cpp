#include "cmdutil/geometry/VexaPolyline_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "cmdutil/geometry/XqNearestSegment.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeLineSeg3d.h"

Vexa::ErrorStatus VexaPolyline_Extension::getAlignedUCS(QvDbEntity* entity,
                                                        const QvGePoint3d* pickPoint,
                                                        QvGsView* view, QvGeMatrix3d& ucs) {
  const QvDbPolyline* polyline = QvDbPolyline::cast(entity);
  if (!polyline || polyline->numVerts() < 2) return Vexa::eNotApplicable;
  QvGePoint3d first, second;
  if (polyline->getPointAt(0u, first) != Vexa::eOk || polyline->getPointAt(1u, second) != Vexa::eOk)
    return Vexa::eNotApplicable;
  QvGePoint3d origin = first;
  QvGeVector3d x = second - first;
  if (const Vexa::ErrorStatus es = XqAlignedUcs::checkPick(pickPoint, view); es != Vexa::eOk)
    return es;
  if (pickPoint) {
    QvGePlane plane;
    QvDb::Planarity planarity = QvDb::kNonPlanar;
    if (polyline->getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar)
      return Vexa::eNotApplicable;
    XqNearestSegment nearest(XqAlignedUcs::projectPick(*pickPoint, *view, plane));
    const unsigned int segments = polyline->numVerts() - 1 + (polyline->isClosed() ? 1 : 0);
    for (unsigned int i = 0; i < segments; ++i) {
      if (polyline->segType(i) == QvDbPolyline::kLine) {
        QvGeLineSeg3d line;
        if (polyline->getLineSegAt(i, line) == Vexa::eOk)
          nearest.offerLine(line.startPoint(), line.endPoint());
      } else if (polyline->segType(i) == QvDbPolyline::kArc) {
        QvGeCircArc3d arc;
        if (polyline->getArcSegAt(i, arc) == Vexa::eOk) nearest.offerArc(arc);
      }
    }
    if (nearest.found()) {
      origin = nearest.origin();
      x = nearest.xAxis();
    }
  }
  return XqAlignedUcs::setFromX(ucs, origin, x, XqAlignedUcs::normalOrZ(polyline->normal()))
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaPolyline_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  if (!entity) return Vexa::eInvalidInput;
  const QvDbPolyline* polyline = QvDbPolyline::cast(entity);
  if (!polyline) return Vexa::eNotApplicable;
  return polyline->getPointAt(0u, point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
