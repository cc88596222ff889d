#pragma once

#include <optional>

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

// A user coordinate system: an origin and two unit axes at right angles, all in world
// coordinates; the Z axis is X cross Y. The current one lives in the variables "UCSORG",
// "UCSXDIR" and "UCSYDIR" (VexaSysVarService::currentUcs and setCurrentUcs).
class VexaUcs {
 public:
  // The world coordinate system.
  VexaUcs() = default;
  // A system from an origin and two directions. X is made a unit vector and Y is made
  // perpendicular to X in the plane of the two (then unit); axes already orthonormal (within
  // 1e-14) are kept as given. Nothing when X has no length (QvGePrecision::confusion) or Y is
  // parallel to X (QvGePrecision::kRelative).
  static std::optional<VexaUcs> fromAxes(const QvGePoint3d& origin, const QvGeVector3d& xDirection,
                                         const QvGeVector3d& yDirection);

  const QvGePoint3d& origin() const { return origin_; }
  const QvGeVector3d& xAxis() const { return x_; }
  const QvGeVector3d& yAxis() const { return y_; }
  QvGeVector3d zAxis() const { return x_.crossProduct(y_); }
  // Exactly the world system.
  bool isWorld() const;

  // A point (or, with `displacement`, a vector) from this system to world coordinates.
  QvGePoint3d toWorld(const QvGePoint3d& p, bool displacement = false) const;
  // A point (or vector) from world coordinates to this system.
  QvGePoint3d toUcs(const QvGePoint3d& p, bool displacement = false) const;
  // The matrix that takes points of this system to world coordinates: rows of a 4 by 4
  // matrix acting on column vectors (columns X, Y, Z and origin).
  void toWorldMatrix(double m[4][4]) const;

 private:
  QvGePoint3d origin_;
  QvGeVector3d x_ = QvGeVector3d::kXAxis;
  QvGeVector3d y_ = QvGeVector3d::kYAxis;
};
