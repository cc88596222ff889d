#include "cmdutil/join/JoinPointIndex.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Cells are this many times the tolerance wide: wide enough that most points lie within the
// tolerance of one cell only, narrow enough that a cell holds few distinct points.
constexpr double kCellsPerTolerance = 16.0;
// Beyond this, doubles are whole numbers and the next cell is the next double.
constexpr double kExactIntegers = 9007199254740992.0;  // 2^53

uint64_t bitsOf(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// A hash of three 64-bit words.
uint64_t mix(const uint64_t words[3]) {
  uint64_t h = 0x9e3779b97f4a7c15ull;
  for (int i = 0; i < 3; ++i) {
    h ^= words[i] + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
  }
  return h;
}

// The cell coordinate after `cell`.
double nextCell(double cell) {
  return std::fabs(cell) < kExactIntegers
             ? cell + 1.0
             : std::nextafter(cell, std::numeric_limits<double>::infinity());
}

bool isFinite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Equality within the tolerance, with identical values (the common case) decided at once.
template <typename T>
bool sameOrEqual(const T& a, const T& b, const QvGeTol& tol) {
  return (a.x == b.x && a.y == b.y && a.z == b.z) || a.isEqualTo(b, tol);
}

}  // namespace

JoinPointIndex::JoinPointIndex(const QvGeTol& tol)
    : tol_(tol),
      // The computed distance of two equal points may exceed a coordinate difference by a few
      // roundings; the margin covers them.
      margin_(tol.equalPoint() * (1.0 + 1e-9)),
      cellSize_(tol.equalPoint() * kCellsPerTolerance),
      buckets_(1024, -1) {}

double JoinPointIndex::cellOf(double value) const {
  // Whole numbers, 0 above all, lie in the middle of their cells: a flat drawing's z and the
  // grid points of many drawings then touch one cell only.
  const double cell = cellSize_ > 0.0 ? std::floor(value / cellSize_ + 0.5) : value;
  return cell + 0.0;
}

size_t JoinPointIndex::bucketOf(const double cell[3]) const {
  const uint64_t bits[3] = {bitsOf(cell[0]), bitsOf(cell[1]), bitsOf(cell[2])};
  return static_cast<size_t>(mix(bits)) & (buckets_.size() - 1);
}

size_t JoinPointIndex::NormalBitsHash::operator()(const NormalBits& bits) const {
  return static_cast<size_t>(mix(bits.data()));
}

int JoinPointIndex::planeOf(const QvGeVector3d& planeNormal) {
  const NormalBits bits{bitsOf(planeNormal.x), bitsOf(planeNormal.y), bitsOf(planeNormal.z)};
  if (lastPlane_ >= 0 && bits == lastBits_) return lastPlane_;
  const auto [it, added] = planeNumbers_.emplace(bits, static_cast<int>(planes_.size()));
  if (added) planes_.push_back(planeNormal);
  lastBits_ = bits;
  return lastPlane_ = it->second;
}

int JoinPointIndex::firstEqual(const QvGePoint3d& point, int plane) const {
  // Every cell that a point within the margin can lie in, coordinate by coordinate. Rounding
  // is monotonic, so the cells of the rounded bounds enclose those of every such point; at
  // most three per coordinate (one where the cells overflow to infinity).
  double cells[3][3];
  int counts[3];
  for (int i = 0; i < 3; ++i) {
    const double high = cellOf(point[i] + margin_);
    cells[i][0] = cellOf(point[i] - margin_);
    counts[i] = 1;
    while (counts[i] < 3 && cells[i][counts[i] - 1] < high) {
      cells[i][counts[i]] = nextCell(cells[i][counts[i] - 1]);
      ++counts[i];
    }
  }
  int found = -1;
  for (int a = 0; a < counts[0]; ++a) {
    for (int b = 0; b < counts[1]; ++b) {
      for (int c = 0; c < counts[2]; ++c) {
        const double cell[3] = {cells[0][a], cells[1][b], cells[2][c]};
        for (int num = buckets_[bucketOf(cell)]; num >= 0;) {
          const Filed& candidate = filed_[static_cast<size_t>(num)];
          if ((found < 0 || num < found) && sameOrEqual(candidate.point, point, tol_) &&
              (candidate.plane == plane || planes_[static_cast<size_t>(candidate.plane)].isEqualTo(
                                               planes_[static_cast<size_t>(plane)], tol_)))
            found = num;
          num = candidate.next;
        }
      }
    }
  }
  return found;
}

void JoinPointIndex::file(int num) {
  Filed& filed = filed_[static_cast<size_t>(num)];
  const double cell[3] = {cellOf(filed.point.x), cellOf(filed.point.y), cellOf(filed.point.z)};
  int& head = buckets_[bucketOf(cell)];
  filed.next = head;
  head = num;
}

void JoinPointIndex::grow() {
  buckets_.assign(buckets_.size() * 2, -1);
  for (int num = 0; num < size(); ++num) {
    if (isFinite(filed_[static_cast<size_t>(num)].point)) file(num);
  }
}

int JoinPointIndex::numberOf(const QvGePoint3d& point, const QvGeVector3d& planeNormal) {
  const int plane = planeOf(planeNormal);
  const bool finite = isFinite(point);
  if (finite) {
    if (const int found = firstEqual(point, plane); found >= 0) return found;
  }
  const int added = size();
  filed_.push_back({point, -1, plane});
  if (finite) {
    if (filed_.size() > buckets_.size() / 2) {
      grow();  // files the new point too
    } else {
      file(added);
    }
  }
  return added;
}
