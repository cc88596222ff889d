#pragma once

#include "sdk/ge/QvGeExtents3d.h"

// The orthogonal bounding block of a curve: an axis-aligned box between two corner points.
// Unlike an extents box it is never empty; a default block is the single point at the origin.
class QvGeBoundBlock3d {
 public:
  QvGeBoundBlock3d();
  QvGeBoundBlock3d(const QvGePoint3d& a, const QvGePoint3d& b);
  // The block of non-empty extents (the origin point when they are empty).
  explicit QvGeBoundBlock3d(const QvGeExtents3d& extents);

  QvGeBoundBlock3d& set(const QvGePoint3d& a, const QvGePoint3d& b);
  void getMinMaxPoints(QvGePoint3d& minPoint, QvGePoint3d& maxPoint) const;
  const QvGePoint3d& minPoint() const { return extents_.minPoint(); }
  const QvGePoint3d& maxPoint() const { return extents_.maxPoint(); }
  const QvGeExtents3d& extents() const { return extents_; }
  // An orthogonal block is always a box.
  bool isBox() const { return true; }

  QvGeBoundBlock3d& extend(const QvGePoint3d& p);
  QvGeBoundBlock3d& extend(const QvGeBoundBlock3d& other);
  QvGeBoundBlock3d& swell(double distance);
  QvGeBoundBlock3d& transformBy(const QvGeMatrix3d& m);
  bool contains(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isDisjoint(const QvGeBoundBlock3d& other, const QvGeTol& tol = QvGeContext::gTol) const;

 private:
  QvGeExtents3d extents_;
};
