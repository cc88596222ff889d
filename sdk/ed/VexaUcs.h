#pragma once

#include <array>
#include <optional>

// A user coordinate system: an origin and two unit axes at right angles, all in world
// coordinates; the Z axis is X cross Y. The current one lives in the variables "UCSORG",
// "UCSXDIR" and "UCSYDIR" (VexaSysVarService::currentUcs and setCurrentUcs).
class VexaUcs {
 public:
  using Vec = std::array<double, 3>;

  // The world coordinate system.
  VexaUcs() = default;
  // A system from an origin and two directions. X is made a unit vector and Y is made
  // perpendicular to X in the plane of the two (then unit); axes already orthonormal (within
  // 1e-14) are kept as given. Nothing when X has no length or Y
  // is parallel to X.
  static std::optional<VexaUcs> fromAxes(const Vec& origin, const Vec& xDirection,
                                         const Vec& yDirection);

  const Vec& origin() const { return origin_; }
  const Vec& xAxis() const { return x_; }
  const Vec& yAxis() const { return y_; }
  Vec zAxis() const;
  bool isWorld() const;

  // A point (or, with `displacement`, a vector) from this system to world coordinates.
  Vec toWorld(const Vec& p, bool displacement = false) const;
  // A point (or vector) from world coordinates to this system.
  Vec toUcs(const Vec& p, bool displacement = false) const;
  // The matrix that takes points of this system to world coordinates: rows of a 4 by 4
  // matrix acting on column vectors (columns X, Y, Z and origin).
  void toWorldMatrix(double m[4][4]) const;

 private:
  Vec origin_{0, 0, 0};
  Vec x_{1, 0, 0};
  Vec y_{0, 1, 0};
};
