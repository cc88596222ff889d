#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
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

  int size() const { return static_cast<int>(filed_.size()); }
  const QvGePoint3d& point(int num) const { return filed_[static_cast<size_t>(num)].point; }
  const QvGeVector3d& planeNormal(int num) const {
    return planes_[static_cast<size_t>(filed_[static_cast<size_t>(num)].plane)];
  }

 private:
  // The cell coordinate of a value (floor(value / cell size + 1/2), or the value itself when
  // the tolerance is 0), with -0 made +0.
  double cellOf(double value) const;
  size_t bucketOf(const double cell[3]) const;
  // The index of a plane normal among those met (added when new).
  int planeOf(const QvGeVector3d& planeNormal);
  // The first point equal to `point` in that plane, or -1.
  int firstEqual(const QvGePoint3d& point, int plane) const;
  void file(int num);
  void grow();

  QvGeTol tol_;
  double margin_;    // how far apart two equal points may be in one coordinate
  double cellSize_;  // 0 when points are equal only when identical
  // A numbered point: its plane, and the point filed before it in its bucket (or -1).
  struct Filed {
    QvGePoint3d point;
    int next;
    int plane;
  };

  std::vector<Filed> filed_;
  // The plane normals met, each once (as given, bit for bit), and their numbers by their bits;
  // the last one is at hand, since curves of one plane tend to come together.
  using NormalBits = std::array<uint64_t, 3>;
  struct NormalBitsHash {
    size_t operator()(const NormalBits& bits) const;
  };
  std::vector<QvGeVector3d> planes_;
  std::unordered_map<NormalBits, int, NormalBitsHash> planeNumbers_;
  NormalBits lastBits_{};
  int lastPlane_ = -1;
  std::vector<int> buckets_;  // the last point filed in each bucket, or -1; 2^k long
};
