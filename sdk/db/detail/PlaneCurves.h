#pragma once

class QvGeCurve2d;
class QvGeCurve3d;
class QvGeMatrix3d;

namespace qvdb_detail {

// A curve of a plane as a new curve in space: the 2D curve at z = 0 of the plane's coordinates,
// carried by `planeToWorld`. Line segments, circular and elliptical arcs and NURBS curves; null
// for other kinds.
QvGeCurve3d* planeCurveInWorld(const QvGeCurve2d& curve, const QvGeMatrix3d& planeToWorld);

}  // namespace qvdb_detail
