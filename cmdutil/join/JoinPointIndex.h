#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeTol.h"
#include "sdk/ge/QvGeVector3d.h"

// Numbers the end points of joined segments: the first point met (in numbering order) that
// equals a new point within the tolerance and lies in the same plane gives its number; a point
// equal to none gets the next number. The points are kept in a hash of cubic cells at least
// twice the tolerance wide, so that a lookup compares only the points of the few cells within
// the tolerance of the new one; the comparison itself is the exact one (distance within the
// tolerance, equal plane normals).
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
  struct Cell {
    double key[3];
    int head;  // the last point added to the cell; -1 for an empty slot
  };

  // The cell coordinate of a value (floor(value / cell size), or the value itself when the
  // tolerance is 0), with -0 made +0.
  double cellOf(double value) const;
  // The first point equal to `point` in that plane, or -1.
  int firstEqual(const QvGePoint3d& point, const QvGeVector3d& planeNormal) const;
  int* headOf(const double key[3]);
  const Cell* findCell(const double key[3]) const;
  void grow();

  QvGeTol tol_;
  double margin_;    // how far apart two equal points may be in one coordinate
  double cellSize_;  // 0 when points are equal only when identical
  std::vector<QvGePoint3d> points_;
  std::vector<QvGeVector3d> normals_;
  std::vector<int> nextInCell_;  // per point: the point added before it to its cell, or -1
  std::vector<Cell> cells_;      // open addressing, a power of two long
  size_t usedCells_ = 0;
};
