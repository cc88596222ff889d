#include "cmdutil/geometry/VexaShape_Extension.h"

#include <cmath>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbShape.h"

Vexa::ErrorStatus VexaShape_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                     QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbShape* shape = QvDbShape::cast(entity);
  if (!shape) return Vexa::eNotApplicable;
  const QvGeVector3d normal = XqAlignedUcs::normalOrZ(shape->normal());
  QvGeVector3d x(std::cos(shape->rotation()), std::sin(shape->rotation()), 0.0);
  x.transformBy(QvGeMatrix3d::planeToWorld(normal));
  return XqAlignedUcs::setFromX(ucs, shape->position(), x, normal) ? Vexa::eOk
                                                                   : Vexa::eNotApplicable;
}
