#include "sdk/db/QvDb2LineAngularDimension.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDb2LineAngularDimension)

namespace {

// The stretch of a ray (unit `ray` from `vertex`) that the segment from a to b covers, as
// distances from the vertex (0 where it lies behind the vertex).
void reachOf(const QvGePoint3d& vertex, const QvGeVector3d& ray, const QvGePoint3d& a,
             const QvGePoint3d& b, double reach[2]) {
  const double ta = (a - vertex).dotProduct(ray), tb = (b - vertex).dotProduct(ray);
  reach[0] = std::max(0.0, std::min(ta, tb));
  reach[1] = std::max(0.0, std::max(ta, tb));
}

}  // namespace

bool QvDb2LineAngularDimension::subSector(Sector& sector) const {
  const QvGeVector3d normal = this->normal();
  const QvGeVector3d d1 = inPlane(xLine1End_ - xLine1Start_);
  const QvGeVector3d d2 = inPlane(xLine2End_ - xLine2Start_);
  if (d1.isZeroLength() || d2.isZeroLength()) return false;
  // The intersection, in the plane through the first line's start.
  const double cross = d1.crossProduct(d2).dotProduct(normal);
  if (std::fabs(cross) <= QvGePrecision::kRelative * d1.length() * d2.length()) return false;
  const QvGeVector3d gap = inPlane(xLine2Start_ - xLine1Start_);
  const double t = gap.crossProduct(d2).dotProduct(normal) / cross;
  const QvGePoint3d vertex = xLine1Start_ + d1 * t;

  // The four rays from the vertex; the arc point lies between the nearest clockwise and the
  // nearest counterclockwise of them, one of each line.
  const QvGeVector3d u1 = d1.normal(), u2 = d2.normal();
  QvGeVector3d toArc = inPlane(arcPoint_ - vertex);
  if (toArc.isZeroLength()) toArc = u1 + u2;
  const QvGeVector3d rays[4] = {u1, u2, -u1, -u2};
  int ccw = 0, cw = 0;
  double ccwAngle = QvGe::k2Pi, cwAngle = -1.0;
  for (int i = 0; i < 4; ++i) {
    const double angle = toArc.angleTo(rays[i], normal);
    if (angle < ccwAngle) ccwAngle = angle, ccw = i;
    if (angle > cwAngle) cwAngle = angle, cw = i;
  }
  sector.vertex = vertex;
  sector.start = rays[cw];
  sector.angle = QvGe::k2Pi - cwAngle + ccwAngle;
  const auto reach = [&](int ray, double out[2]) {
    if (ray % 2 == 0)
      reachOf(vertex, rays[ray], xLine1Start_, xLine1End_, out);
    else
      reachOf(vertex, rays[ray], xLine2Start_, xLine2End_, out);
  };
  reach(cw, sector.reach[0]);
  reach(ccw, sector.reach[1]);
  return sector.angle > 0.0 && sector.angle < QvGe::k2Pi;
}

void QvDb2LineAngularDimension::getDefinitionPoints(QvGePoint3dArray& points) const {
  points.append(xLine1Start_);
  points.append(xLine1End_);
  points.append(xLine2Start_);
  points.append(xLine2End_);
  points.append(arcPoint_);
}

void QvDb2LineAngularDimension::setDefinitionPoints(const QvGePoint3dArray& points) {
  xLine1Start_ = points[0];
  xLine1End_ = points[1];
  xLine2Start_ = points[2];
  xLine2End_ = points[3];
  arcPoint_ = points[4];
}
