#pragma once

#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGePlane.h"

namespace qvdb_detail {

// The plane through points: kPlanar when every point lies within tol of it, kLinear when
// they lie on one line (a plane holding the line), kNonPlanar otherwise (the plane is then the
// best one through them). False for no point.
bool planeOfPoints(const QvGePoint3dArray& points, double tol, QvGePlane& plane,
                   QvDb::Planarity& planarity);

}  // namespace qvdb_detail
