#pragma once

#include "sdk/ge/QvGeContext.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/detail/GeBox.h"

// The 2D axis-aligned box of 2D curves: starts empty and grows by what is added to it.
class QvGeExtents2d {
 public:
  QvGeExtents2d() = default;
  QvGeExtents2d(const QvGePoint2d& a, const QvGePoint2d& b) : box_(a, b) {}

  bool isValidExtents() const { return box_.isValid(); }
  const QvGePoint2d& minPoint() const { return box_.minPoint(); }
  const QvGePoint2d& maxPoint() const { return box_.maxPoint(); }
  double diagonal() const { return box_.diagonal(); }

  QvGeExtents2d& addPoint(const QvGePoint2d& p) {
    box_.addPoint(p);
    return *this;
  }
  QvGeExtents2d& addExt(const QvGeExtents2d& other) {
    box_.addBox(other.box_);
    return *this;
  }
  QvGeExtents2d& expandBy(double distance) {
    box_.expandBy(distance);
    return *this;
  }
  bool contains(const QvGePoint2d& p, const QvGeTol& tol = QvGeContext::gTol) const {
    return box_.contains(p, tol.equalPoint());
  }
  bool isDisjoint(const QvGeExtents2d& other, const QvGeTol& tol = QvGeContext::gTol) const {
    return box_.isDisjoint(other.box_, tol.equalPoint());
  }

 private:
  qvge_detail::GeBox<QvGePoint2d, 2> box_;
};
