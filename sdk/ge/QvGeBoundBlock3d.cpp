#include "sdk/ge/QvGeBoundBlock3d.h"

QvGeBoundBlock3d::QvGeBoundBlock3d() : extents_(QvGePoint3d::kOrigin, QvGePoint3d::kOrigin) {}

QvGeBoundBlock3d::QvGeBoundBlock3d(const QvGePoint3d& a, const QvGePoint3d& b) : extents_(a, b) {}

QvGeBoundBlock3d::QvGeBoundBlock3d(const QvGeExtents3d& extents) : QvGeBoundBlock3d() {
  if (extents.isValidExtents()) extents_ = extents;
}

QvGeBoundBlock3d& QvGeBoundBlock3d::set(const QvGePoint3d& a, const QvGePoint3d& b) {
  extents_.set(a, b);
  return *this;
}

void QvGeBoundBlock3d::getMinMaxPoints(QvGePoint3d& minPoint, QvGePoint3d& maxPoint) const {
  minPoint = extents_.minPoint();
  maxPoint = extents_.maxPoint();
}

QvGeBoundBlock3d& QvGeBoundBlock3d::extend(const QvGePoint3d& p) {
  extents_.addPoint(p);
  return *this;
}

QvGeBoundBlock3d& QvGeBoundBlock3d::extend(const QvGeBoundBlock3d& other) {
  extents_.addExt(other.extents_);
  return *this;
}

QvGeBoundBlock3d& QvGeBoundBlock3d::swell(double distance) {
  extents_.expandBy(distance);
  return *this;
}

QvGeBoundBlock3d& QvGeBoundBlock3d::transformBy(const QvGeMatrix3d& m) {
  extents_.transformBy(m);
  return *this;
}

bool QvGeBoundBlock3d::contains(const QvGePoint3d& p, const QvGeTol& tol) const {
  return extents_.contains(p, tol);
}

bool QvGeBoundBlock3d::isDisjoint(const QvGeBoundBlock3d& other, const QvGeTol& tol) const {
  return extents_.isDisjoint(other.extents_, tol);
}
