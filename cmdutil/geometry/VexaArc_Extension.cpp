#include "cmdutil/geometry/VexaArc_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbArc.h"

Vexa::ErrorStatus VexaArc_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint,
                                                   QvGsView* view, QvGeMatrix3d& ucs) {
  const QvDbArc* arc = QvDbArc::cast(entity);
  if (!arc) return Vexa::eNotApplicable;
  QvGePoint3d start, end;
  if (arc->getStartPoint(start) != Vexa::eOk || arc->getEndPoint(end) != Vexa::eOk)
    return Vexa::eNotApplicable;
  bool toEnd = false;
  if (const Vexa::ErrorStatus es = XqAlignedUcs::nearerIsSecond(pickPoint, view, start, end, toEnd);
      es != Vexa::eOk)
    return es;
  const QvGePoint3d center = arc->center();
  return XqAlignedUcs::setFromX(ucs, center, (toEnd ? end : start) - center,
                                XqAlignedUcs::normalOrZ(arc->normal()))
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaArc_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbArc* arc = QvDbArc::cast(entity);
  if (!arc) return Vexa::eNotApplicable;
  point = arc->center();
  return Vexa::eOk;
}
