#include "cmdutil/geometry/VexaSection_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbSection.h"

Vexa::ErrorStatus VexaSection_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                       QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbSection* section = QvDbSection::cast(entity);
  if (!section || section->numVertices() < 2) return Vexa::eNotApplicable;
  QvGePoint3d first, second;
  if (section->getVertex(0, first) != Vexa::eOk || section->getVertex(1, second) != Vexa::eOk)
    return Vexa::eNotApplicable;
  return XqAlignedUcs::setFromXY(ucs, first, second - first, section->verticalDirection())
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}
