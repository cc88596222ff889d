#include "cmdutil/geometry/VexaTrace_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbTrace.h"

Vexa::ErrorStatus VexaTrace_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                     QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbTrace* trace = QvDbTrace::cast(entity);
  if (!trace) return Vexa::eNotApplicable;
  QvGePoint3d p[4];
  for (int i = 0; i < 4; ++i)
    if (trace->getPointAt(i, p[i]) != Vexa::eOk) return Vexa::eNotApplicable;
  const QvGePoint3d start = p[0] + (p[1] - p[0]) * 0.5;
  const QvGePoint3d end = p[2] + (p[3] - p[2]) * 0.5;
  return XqAlignedUcs::setFromX(ucs, start, end - start, XqAlignedUcs::normalOrZ(trace->normal()))
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus VexaTrace_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbTrace* trace = QvDbTrace::cast(entity);
  if (!trace) return Vexa::eNotApplicable;
  return trace->getPointAt(0, point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
