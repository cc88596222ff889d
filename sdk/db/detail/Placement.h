#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/ge/QvGeVector3d.h"

namespace qvdb_detail {

// Where a placed entity (a block reference, an underlay) puts its own coordinates: the matrix
// translation(position) * planeToWorld(normal) * rotation(rotation, z) * scaling(scale).
struct Placement {
  QvGePoint3d position;
  QvGeVector3d normal = QvGeVector3d::kZAxis;
  double rotation = 0.0;
  QvGeScale3d scale;

  QvGeMatrix3d matrix() const;
};

// The placement of a matrix whose columns are orthogonal and not zero, with `origin` (of the
// placed coordinates) taken to the position. eDegenerateGeometry for a zero or infinite
// column, eNotApplicable for a shear. A mirror shows as a negative x scale.
Vexa::ErrorStatus decompose(const QvGeMatrix3d& xform, const QvGePoint3d& origin,
                            Placement& placement);

}  // namespace qvdb_detail
