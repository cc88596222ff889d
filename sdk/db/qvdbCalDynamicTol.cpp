#include "sdk/db/qvdbCalDynamicTol.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGePrecision.h"

namespace {

double largestAbsoluteCoordinate(const QvGePoint3d& p) {
  return std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
}

}  // namespace

Vexa::ErrorStatus qvdbCalDynamicTol(const QvDbEntity* entity, double& tol) {
  if (!entity) return Vexa::eNullPtr;
  if (!std::isfinite(tol) || tol < 0.0) return Vexa::eInvalidInput;
  QvDbExtents extents;
  if (const Vexa::ErrorStatus es = entity->getGeomExtents(extents); es != Vexa::eOk) return es;
  const double size = std::max(largestAbsoluteCoordinate(extents.minPoint()),
                               largestAbsoluteCoordinate(extents.maxPoint()));
  tol = std::max(tol, QvGePrecision::kRelative * size);
  return Vexa::eOk;
}
