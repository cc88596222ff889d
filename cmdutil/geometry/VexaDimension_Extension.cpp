#include "cmdutil/geometry/VexaDimension_Extension.h"

#include <cmath>
#include <functional>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArcDimension.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRadialDimensionLarge.h"
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

namespace {

// The base point of one kind: its point `Point` when the dimension is of that kind.
template <class Kind, auto Point>
bool basePointOf(const QvDbEntity* entity, QvGePoint3d& point) {
  const Kind* dimension = Kind::cast(entity);
  if (!dimension) return false;
  point = std::invoke(Point, *dimension);
  return true;
}

// Each kind's base point, the first that matches.
constexpr bool (*kBasePoints[])(const QvDbEntity*, QvGePoint3d&) = {
    &basePointOf<QvDb2LineAngularDimension, &QvDb2LineAngularDimension::xLine2End>,
    &basePointOf<QvDb3PointAngularDimension, &QvDb3PointAngularDimension::arcPoint>,
    &basePointOf<QvDbArcDimension, &QvDbArcDimension::arcPoint>,
    &basePointOf<QvDbAlignedDimension, &QvDbAlignedDimension::dimLinePoint>,
    &basePointOf<QvDbRotatedDimension, &QvDbRotatedDimension::dimLinePoint>,
    &basePointOf<QvDbRadialDimension, &QvDbRadialDimension::center>,
    &basePointOf<QvDbRadialDimensionLarge, &QvDbRadialDimensionLarge::center>,
    &basePointOf<QvDbDiametricDimension, &QvDbDiametricDimension::farChordPoint>,
    &basePointOf<QvDbOrdinateDimension, &QvDbOrdinateDimension::origin>,
};

}  // namespace

Vexa::ErrorStatus VexaDimension_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  if (!QvDbDimension::cast(entity)) return Vexa::eNotApplicable;
  for (const auto basePoint : kBasePoints)
    if (basePoint(entity, point)) return Vexa::eOk;
  return Vexa::eInvalidInput;
}
