#include "sdk/db/detail/PointsPlane.h"

#include <cmath>

namespace qvdb_detail {

bool planeOfPoints(const QvGePoint3dArray& points, double tol, QvGePlane& plane,
                   QvDb::Planarity& planarity) {
  if (points.isEmpty()) return false;
  // The farthest point from the first gives the line; the farthest from that line the plane.
  const QvGePoint3d& p0 = points[0];
  int far = 0;
  for (int i = 1; i < points.length(); ++i)
    if (points[i].distSqrdTo(p0) > points[far].distSqrdTo(p0)) far = i;
  const QvGeVector3d axis = points[far] - p0;
  if (axis.length() <= tol) {
    plane.set(p0, QvGeVector3d::kZAxis);
    planarity = QvDb::kLinear;
    return true;
  }
  const QvGeVector3d unit = axis.normal();
  int off = -1;
  double offDist = tol;
  for (int i = 0; i < points.length(); ++i) {
    const QvGeVector3d r = points[i] - p0;
    const double d = (r - unit * r.dotProduct(unit)).length();
    if (d > offDist) {
      offDist = d;
      off = i;
    }
  }
  if (off < 0) {
    plane.set(p0, unit.perpVector());
    planarity = QvDb::kLinear;
    return true;
  }
  const QvGeVector3d normal = unit.crossProduct(points[off] - p0).normal();
  plane.set(p0, normal);
  planarity = QvDb::kPlanar;
  for (int i = 0; i < points.length(); ++i) {
    if (std::fabs(plane.signedDistanceTo(points[i])) > tol) {
      planarity = QvDb::kNonPlanar;
      break;
    }
  }
  return true;
}

}  // namespace qvdb_detail
