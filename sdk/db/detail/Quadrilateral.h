#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeExtents3d.h"

class QvGeCurve3d;
class QvGeMatrix3d;
class QvGiWorldDraw;

namespace qvdb_detail {

// The four corners of a solid or a trace, in stored order, in world coordinates, with the
// normal of their plane and a thickness. Corners 1, 2, 4, 3 (stored indices 0, 1, 3, 2) go
// round the filled area; a triangle repeats its third corner as the fourth.
struct Quadrilateral {
  QvGePoint3d corners[4];
  QvGeVector3d normal = QvGeVector3d::kZAxis;
  double thickness = 0.0;

  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& xform);
  QvGeExtents3d extents() const;
  // The corners in stored order, each an end point.
  void gripPoints(QvGePoint3dArray& points, QvDbIntArray& modes, QvDbIntArray& ids) const;
  // The edges round the outline (1-2, 2-4, 4-3, 3-1), leaving out those of no length.
  void outlineCurves(QvArray<QvGeCurve3d*>& curves) const;
  void draw(QvGiWorldDraw* wd) const;
};

}  // namespace qvdb_detail
