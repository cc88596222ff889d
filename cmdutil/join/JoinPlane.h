#pragma once

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

// The plane of segments being joined, known by its unit normal on the side that every plane
// is turned to alike, so that a plane seen from below (a mirrored arc, normal -Z) compares
// equal to the same plane seen from above. A normal within the vector tolerance of +Z or -Z is
// +Z exactly, so curves of the world XY plane keep their coordinates to the last bit.
class JoinPlane {
 public:
  // The plane whose normal is `normal` (not zero); `flipped` tells whether the normal was
  // turned over, in which case bulges measured about `normal` change sign.
  JoinPlane(const QvGeVector3d& normal, bool& flipped);

  const QvGeVector3d& normal() const { return normal_; }
  bool isWorldXY() const { return worldXY_; }

  // A world point in the plane's own coordinates (the arbitrary-axis frame of the normal):
  // x and y in the plane, z the elevation.
  QvGePoint3d toPlane(const QvGePoint3d& world) const;
  // Plane coordinates (x, y at `elevation`) back in world coordinates.
  QvGePoint3d toWorld(double x, double y, double elevation) const;

 private:
  QvGeVector3d normal_;
  bool worldXY_ = false;
  QvGeMatrix3d toPlane_;
  QvGeMatrix3d toWorld_;
};
