#include "cmdutil/geometry/VexaLine_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbLine.h"

Vexa::ErrorStatus VexaLine_Extension::getAlignedUCS(QvDbEntity* entity,
                                                    const QvGePoint3d* pickPoint, QvGsView* view,
                                                    QvGeMatrix3d& ucs) {
  const QvDbLine* line = QvDbLine::cast(entity);
  if (!line) return Vexa::eNotApplicable;
  const QvGePoint3d start = line->startPoint();
  const QvGePoint3d end = line->endPoint();
  bool fromEnd = false;
  if (const Vexa::ErrorStatus es =
          XqAlignedUcs::nearerIsSecond(pickPoint, view, start, end, fromEnd);
      es != Vexa::eOk)
    return es;
  const QvGePoint3d& origin = fromEnd ? end : start;
  const QvGePoint3d& other = fromEnd ? start : end;
  return XqAlignedUcs::setFromX(ucs, origin, other - origin,
                                XqAlignedUcs::normalOrZ(line->normal()))
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaLine_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbLine* line = QvDbLine::cast(entity);
  if (!line) return Vexa::eNotApplicable;
  point = line->startPoint();
  return Vexa::eOk;
}
