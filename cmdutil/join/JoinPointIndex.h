#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeTol.h"
#include "sdk/ge/QvGeVector3d.h"

// Numbers the end points of joined segments: the first point met (in numbering order) that
// equals a new point within the tolerance and lies in the same plane gives its number; a point
// equal to none gets the next number. Points are filed by cubic cells sixteen times the
// tolerance wide, hashed into buckets, so that a lookup compares only the points of the few
// cells within the tolerance of the new one; the comparison itself is the exact one (distance
// within the tolerance, equal plane normals), so cells that share a bucket cost a comparison
// and nothing else.
class JoinPointIndex {
 public:
  explicit JoinPointIndex(const QvGeTol& tol);

  // The number of `point` in the plane of `planeNormal` (a JoinPlane normal). A point with a
  // non-finite coordinate equals nothing: it always gets a new number.
  int numberOf(const QvGePoint3d& point, const QvGeVector3d& planeNormal);

  int size() const { return static_cast<int>(points_.size()); }
  const QvGePoint3d& point(int num) const { return points_[static_cast<size_t>(num)]; }
  const QvGeVector3d& planeNormal(int num) const { return normals_[static_cast<size_t>(num)]; }

 private:
  // The cell coordinate of a value (floor(value / cell size + 1/2), or the value itself when
  // the tolerance is 0), with -0 made +0.
  double cellOf(double value) const;
  size_t bucketOf(const double cell[3]) const;
  // The first point equal to `point` in that plane, or -1.
  int firstEqual(const QvGePoint3d& point, const QvGeVector3d& planeNormal) const;
  void file(int num);
  void grow();

  QvGeTol tol_;
  double margin_;    // how far apart two equal points may be in one coordinate
  double cellSize_;  // 0 when points are equal only when identical
  std::vector<QvGePoint3d> points_;
  std::vector<QvGeVector3d> normals_;
  std::vector<int> nextInBucket_;  // per point: the point filed before it in its bucket, or -1
  std::vector<int> buckets_;       // the last point filed in each bucket, or -1; 2^k long
};
