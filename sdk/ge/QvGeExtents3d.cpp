#include "sdk/ge/QvGeExtents3d.h"

#include "sdk/ge/QvGeMatrix3d.h"

QvGePoint3d QvGeExtents3d::center() const {
  if (!isValidExtents()) return QvGePoint3d::kOrigin;
  return minPoint() + (maxPoint() - minPoint()) * 0.5;
}

QvGeExtents3d& QvGeExtents3d::set(const QvGePoint3d& a, const QvGePoint3d& b) {
  box_ = qvge_detail::GeBox<QvGePoint3d, 3>(a, b);
  return *this;
}

QvGeExtents3d& QvGeExtents3d::clear() {
  box_.clear();
  return *this;
}

QvGeExtents3d& QvGeExtents3d::addPoint(const QvGePoint3d& p) {
  box_.addPoint(p);
  return *this;
}

QvGeExtents3d& QvGeExtents3d::addExt(const QvGeExtents3d& other) {
  box_.addBox(other.box_);
  return *this;
}

QvGeExtents3d& QvGeExtents3d::expandBy(double distance) {
  box_.expandBy(distance);
  return *this;
}

QvGeExtents3d& QvGeExtents3d::transformBy(const QvGeMatrix3d& m) {
  if (!isValidExtents()) return *this;
  const QvGePoint3d lo = minPoint(), hi = maxPoint();
  qvge_detail::GeBox<QvGePoint3d, 3> moved;
  for (int corner = 0; corner < 8; ++corner) {
    QvGePoint3d p((corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y,
                  (corner & 4) ? hi.z : lo.z);
    moved.addPoint(p.transformBy(m));
  }
  box_ = moved;
  return *this;
}

bool QvGeExtents3d::contains(const QvGePoint3d& p, const QvGeTol& tol) const {
  return box_.contains(p, tol.equalPoint());
}

bool QvGeExtents3d::isDisjoint(const QvGeExtents3d& other, const QvGeTol& tol) const {
  return box_.isDisjoint(other.box_, tol.equalPoint());
}
