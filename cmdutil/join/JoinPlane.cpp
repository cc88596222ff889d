#include "cmdutil/join/JoinPlane.h"

#include <cmath>

#include "sdk/ge/QvGeContext.h"

namespace {

// Components smaller than this count as zero when choosing a normal's side.
constexpr double kSideTolerance = 1e-10;

// Whether the side of `n` (a unit vector) is the one kept: the first clearly nonzero component
// of z, y, x is positive.
bool onKeptSide(const QvGeVector3d& n) {
  if (std::fabs(n.z) > kSideTolerance) return n.z > 0.0;
  if (std::fabs(n.y) > kSideTolerance) return n.y > 0.0;
  return n.x > 0.0;
}

}  // namespace

JoinPlane::JoinPlane(const QvGeVector3d& normal, bool& flipped) {
  if (normal.x == 0.0 && normal.y == 0.0 && normal.z != 0.0) {  // the usual case, at once
    flipped = normal.z < 0.0;
    normal_ = QvGeVector3d::kZAxis;
    worldXY_ = true;
    return;
  }
  const QvGeVector3d unit = normal.normal();
  flipped = !onKeptSide(unit);
  normal_ = flipped ? -unit : unit;
  if (normal_.isEqualTo(QvGeVector3d::kZAxis, QvGeContext::gTol)) {
    normal_ = QvGeVector3d::kZAxis;
    worldXY_ = true;
    return;
  }
  toPlane_ = QvGeMatrix3d::worldToPlane(normal_);
  toWorld_ = QvGeMatrix3d::planeToWorld(normal_);
}

QvGePoint3d JoinPlane::toPlane(const QvGePoint3d& world) const {
  if (worldXY_) return world;
  QvGePoint3d p = world;
  return p.transformBy(toPlane_);
}

QvGePoint3d JoinPlane::toWorld(double x, double y, double elevation) const {
  QvGePoint3d p(x, y, elevation);
  if (worldXY_) return p;
  return p.transformBy(toWorld_);
}
