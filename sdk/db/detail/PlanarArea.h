#pragma once

class QvGeCurve2d;
class QvGeCurve3d;
class QvGePlane;

namespace qvdb_detail {

// The signed area enclosed by a bounded curve and the chord from its end back to its start,
// seen in the plane (counterclockwise about the plane's normal positive), by Gauss quadrature
// of x dy - y dx over the pieces between the curve's break parameters.
double planarArea(const QvGeCurve3d& curve, const QvGePlane& plane);
// The same for a curve of the plane, counterclockwise positive.
double planarArea(const QvGeCurve2d& curve);

}  // namespace qvdb_detail
