#include "sdk/ge/QvGePoint3d.h"

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"

const QvGePoint3d QvGePoint3d::kOrigin{0.0, 0.0, 0.0};

QvGePoint3d::QvGePoint3d(const QvGePlane& plane, const QvGePoint2d& p) {
  *this = plane.pointOnPlane() + plane.uAxis() * p.x + plane.vAxis() * p.y;
}

QvGePoint3d& QvGePoint3d::transformBy(const QvGeMatrix3d& m) {
  const auto& e = m.entry;
  const double tx = e[0][0] * x + e[0][1] * y + e[0][2] * z + e[0][3];
  const double ty = e[1][0] * x + e[1][1] * y + e[1][2] * z + e[1][3];
  const double tz = e[2][0] * x + e[2][1] * y + e[2][2] * z + e[2][3];
  const double w = e[3][0] * x + e[3][1] * y + e[3][2] * z + e[3][3];
  if (w != 1.0 && w != 0.0) return set(tx / w, ty / w, tz / w);
  return set(tx, ty, tz);
}

QvGePoint3d& QvGePoint3d::rotateBy(double angle, const QvGeVector3d& axis,
                                   const QvGePoint3d& wrtPoint) {
  QvGeVector3d v = *this - wrtPoint;
  *this = wrtPoint + v.rotateBy(angle, axis);
  return *this;
}

QvGePoint3d& QvGePoint3d::scaleBy(double factor, const QvGePoint3d& wrtPoint) {
  *this = wrtPoint + (*this - wrtPoint) * factor;
  return *this;
}

QvGePoint3d& QvGePoint3d::mirror(const QvGePlane& plane) {
  const QvGePoint3d foot = orthoProject(plane);
  *this = foot + (foot - *this);
  return *this;
}

QvGePoint3d QvGePoint3d::orthoProject(const QvGePlane& plane) const {
  return plane.closestPointTo(*this);
}

bool QvGePoint3d::project(const QvGePlane& plane, const QvGeVector3d& direction,
                          QvGePoint3d& result) const {
  return plane.intersectWith(*this, direction, result);
}

QvGePoint2d QvGePoint3d::convert2d(const QvGePlane& plane) const {
  const QvGeVector3d d = *this - plane.pointOnPlane();
  return {d.dotProduct(plane.uAxis()), d.dotProduct(plane.vAxis())};
}
