#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbCurve;

// The spatial indexes of hatch trimming. Each answers a superset of what the literal search over
// every item would keep, in ascending item order, so that the results do not depend on which
// search found the candidates.
namespace xq_hatchtrim {

// Whether the trimming searches through its indexes (CTrimHatch::kIndexedSearch).
bool indexedSearch();

// Boxes on a uniform grid over their two widest world axes.
class BoxGrid {
 public:
  // `boxes[i]` is item i's box; an item whose `known[i]` is false has none and is answered by
  // every query.
  BoxGrid(const std::vector<QvDbExtents>& boxes, const std::vector<bool>& known);
  // The items whose box may lie within `margin` of `box` (all boxes not apart from it), in
  // ascending order.
  void query(const QvDbExtents& box, double margin, std::vector<int>& items) const;

 private:
  void cellRange(double low, double high, double origin, int count, int& first, int& last) const;

  int axisU_ = 0, axisV_ = 1;
  double u0_ = 0.0, v0_ = 0.0, cell_ = 1.0;
  int columns_ = 1, rows_ = 1;
  std::vector<std::vector<int>> cells_;
  std::vector<int> everywhere_;  // items without a box, or spanning too many cells
  mutable std::vector<uint32_t> seen_;
  mutable uint32_t stamp_ = 0;
};

// Points hashed by cubes of a given size: the points within that size of a point are among
// those of the 27 cubes around it.
class PointGrid {
 public:
  explicit PointGrid(double cube) : cube_(cube) {}
  void add(const QvGePoint3d& point, int item);
  // Calls `visit(item)` for every item that may lie within the cube size of `point`.
  template <typename Visit>
  void forNear(const QvGePoint3d& point, Visit visit) const {
    const Key k = keyOf(point);
    for (int64_t dx = -1; dx <= 1; ++dx)
      for (int64_t dy = -1; dy <= 1; ++dy)
        for (int64_t dz = -1; dz <= 1; ++dz) {
          const auto it = cells_.find({k.x + dx, k.y + dy, k.z + dz});
          if (it == cells_.end()) continue;
          for (const int item : it->second) visit(item);
        }
  }

 private:
  struct Key {
    int64_t x, y, z;
    bool operator==(const Key& o) const { return x == o.x && y == o.y && z == o.z; }
  };
  struct KeyHash {
    size_t operator()(const Key& k) const {
      const auto u = [](int64_t v) { return static_cast<uint64_t>(v); };
      return static_cast<size_t>(u(k.x) * 73856093ULL ^ u(k.y) * 19349663ULL ^
                                 u(k.z) * 83492791ULL);
    }
  };
  Key keyOf(const QvGePoint3d& p) const;

  double cube_;
  std::unordered_map<Key, std::vector<int>, KeyHash> cells_;
};

// The cutting entities a test ray of the survival test may cross: the rays of the cutters seen
// in planes parallel to the hatch's all run one way, so a cutter can only be crossed by rays
// whose line across that way meets the band of its box (a uniform grid of those bands).
class CutterIndex {
 public:
  CutterIndex(const QvArray<QvDbCurve*>& cutters, const QvGePlane& hatchPlane);
  // The cutters whose crossings by the test ray from `point` may be odd, ascending.
  void candidates(const QvGePoint3d& point, std::vector<int>& items) const;

 private:
  struct Band {
    double low = 0.0, high = 0.0;  // across the rays
    double far = 0.0;              // along them, the farthest corner
  };
  void cellRange(double low, double high, int& first, int& last) const;

  QvGeVector3d along_, across_;
  std::vector<Band> bands_;
  std::vector<bool> banded_;
  double w0_ = 0.0, cell_ = 1.0;
  int count_ = 1;
  std::vector<std::vector<int>> cells_;
  std::vector<int> everywhere_;
};

}  // namespace xq_hatchtrim
