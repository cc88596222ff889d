#include "cmdutil/geometry/VexaDimension_Extension.h"

#include <cmath>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "xqcmdutil/XqArbitraryAxis.h"

Vexa::ErrorStatus VexaDimension_Extension::getAlignedUCS(QvDbEntity* entity, const QvGePoint3d*,
                                                         QvGsView*, QvGeMatrix3d& ucs) {
  const QvDbDimension* dimension = QvDbDimension::cast(entity);
  if (!dimension) return Vexa::eNotApplicable;
  QvGeVector3d x0, y0, z;
  if (!vexaGetArbitraryAxis(XqAlignedUcs::normalOrZ(dimension->normal()), x0, y0, z))
    return Vexa::eNotApplicable;
  const double h = dimension->horizontalRotation();
  const QvGeVector3d x = x0 * std::cos(h) - y0 * std::sin(h);
  const QvGeVector3d y = x0 * std::sin(h) + y0 * std::cos(h);
  ucs.setCoordSystem(dimension->textPosition(), x, y, z);
  return Vexa::eOk;
}

// The kinds that measure a length answer the point their dimension line passes through; the
// angular, arc, radial, diametric and ordinate kinds are kept as proxies here.
Vexa::ErrorStatus VexaDimension_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  if (!QvDbDimension::cast(entity)) return Vexa::eNotApplicable;
  if (const auto* aligned = QvDbAlignedDimension::cast(entity)) {
    point = aligned->dimLinePoint();
    return Vexa::eOk;
  }
  if (const auto* rotated = QvDbRotatedDimension::cast(entity)) {
    point = rotated->dimLinePoint();
    return Vexa::eOk;
  }
  return Vexa::eInvalidInput;
}
