#include "cmdutil/geometry/VexaBlockReference_Extension.h"

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbBlockReference.h"
#include "xqcmdutil/XqArbitraryAxis.h"

Vexa::ErrorStatus VexaBlockReference_Extension::getAlignedUCS(QvDbEntity* entity,
                                                              const QvGePoint3d*, QvGsView*,
                                                              QvGeMatrix3d& ucs) {
  const QvDbBlockReference* reference = QvDbBlockReference::cast(entity);
  if (!reference) return Vexa::eNotApplicable;
  const QvGeVector3d normal = XqAlignedUcs::normalOrZ(reference->normal());
  QvGeVector3d x, y, z;
  if (!vexaGetArbitraryAxis(normal, x, y, z)) return Vexa::eNotApplicable;
  x.rotateBy(reference->rotation(), z);
  y.rotateBy(reference->rotation(), z);
  ucs.setCoordSystem(reference->position(), x, y, z);
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaBlockReference_Extension::getBasePoint(QvDbEntity* entity,
                                                             QvGePoint3d& point) {
  const QvDbBlockReference* reference = QvDbBlockReference::cast(entity);
  if (!reference) return Vexa::eNotApplicable;
  point = reference->position();
  return Vexa::eOk;
}
