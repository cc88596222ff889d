#pragma once

#include "sdk/ge/QvGeContext.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/detail/GeBox.h"

class QvGeMatrix3d;

// An axis-aligned box that starts empty and grows by the points and boxes added to it.
class QvGeExtents3d {
 public:
  QvGeExtents3d() = default;
  QvGeExtents3d(const QvGePoint3d& a, const QvGePoint3d& b) : box_(a, b) {}

  bool isValidExtents() const { return box_.isValid(); }
  // +1e20 and -1e20 in every coordinate while empty.
  const QvGePoint3d& minPoint() const { return box_.minPoint(); }
  const QvGePoint3d& maxPoint() const { return box_.maxPoint(); }
  QvGePoint3d center() const;
  double diagonal() const { return box_.diagonal(); }

  QvGeExtents3d& set(const QvGePoint3d& a, const QvGePoint3d& b);
  QvGeExtents3d& clear();
  QvGeExtents3d& addPoint(const QvGePoint3d& p);
  QvGeExtents3d& addExt(const QvGeExtents3d& other);
  QvGeExtents3d& expandBy(double distance);
  // The extents of the transformed box (its eight corners).
  QvGeExtents3d& transformBy(const QvGeMatrix3d& m);

  bool contains(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isDisjoint(const QvGeExtents3d& other, const QvGeTol& tol = QvGeContext::gTol) const;

 private:
  qvge_detail::GeBox<QvGePoint3d, 3> box_;
};
