#include "cmdutil/join/JoinPointIndex.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Cells are this many times the tolerance wide: wide enough that most points lie within the
// tolerance of one cell only, narrow enough that a cell holds few distinct points.
constexpr double kCellsPerTolerance = 8.0;
// Beyond this, doubles are whole numbers and the next cell is the next double.
constexpr double kExactIntegers = 9007199254740992.0;  // 2^53

uint64_t bitsOf(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

uint64_t hashOf(const double key[3]) {
  uint64_t h = 0x9e3779b97f4a7c15ull;
  for (int i = 0; i < 3; ++i) {
    h ^= bitsOf(key[i]) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
  }
  return h;
}

bool sameKey(const double a[3], const double b[3]) {
  return bitsOf(a[0]) == bitsOf(b[0]) && bitsOf(a[1]) == bitsOf(b[1]) &&
         bitsOf(a[2]) == bitsOf(b[2]);
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

}  // namespace

JoinPointIndex::JoinPointIndex(const QvGeTol& tol)
    : tol_(tol),
      // The computed distance of two equal points may exceed a coordinate difference by a few
      // roundings; the margin covers them.
      margin_(tol.equalPoint() * (1.0 + 1e-9)),
      cellSize_(tol.equalPoint() * kCellsPerTolerance) {
  cells_.assign(1024, Cell{{0.0, 0.0, 0.0}, -1});
}

double JoinPointIndex::cellOf(double value) const {
  const double cell = cellSize_ > 0.0 ? std::floor(value / cellSize_) : value;
  return cell + 0.0;
}

const JoinPointIndex::Cell* JoinPointIndex::findCell(const double key[3]) const {
  const size_t mask = cells_.size() - 1;
  for (size_t i = hashOf(key) & mask;; i = (i + 1) & mask) {
    const Cell& cell = cells_[i];
    if (cell.head < 0) return nullptr;
    if (sameKey(cell.key, key)) return &cell;
  }
}

int* JoinPointIndex::headOf(const double key[3]) {
  if (2 * (usedCells_ + 1) > cells_.size()) grow();
  const size_t mask = cells_.size() - 1;
  for (size_t i = hashOf(key) & mask;; i = (i + 1) & mask) {
    Cell& cell = cells_[i];
    if (cell.head < 0) {
      std::memcpy(cell.key, key, sizeof cell.key);
      ++usedCells_;
      return &cell.head;
    }
    if (sameKey(cell.key, key)) return &cell.head;
  }
}

void JoinPointIndex::grow() {
  std::vector<Cell> old(cells_.size() * 2, Cell{{0.0, 0.0, 0.0}, -1});
  old.swap(cells_);
  const size_t mask = cells_.size() - 1;
  for (const Cell& cell : old) {
    if (cell.head < 0) continue;
    size_t i = hashOf(cell.key) & mask;
    while (cells_[i].head >= 0) i = (i + 1) & mask;
    cells_[i] = cell;
  }
}

int JoinPointIndex::firstEqual(const QvGePoint3d& point, const QvGeVector3d& planeNormal) const {
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
        const double key[3] = {cells[0][a], cells[1][b], cells[2][c]};
        const Cell* cell = findCell(key);
        if (!cell) continue;
        for (int num = cell->head; num >= 0; num = nextInCell_[static_cast<size_t>(num)]) {
          if (found >= 0 && num > found) continue;
          const size_t at = static_cast<size_t>(num);
          if (points_[at].isEqualTo(point, tol_) && normals_[at].isEqualTo(planeNormal, tol_))
            found = num;
        }
      }
    }
  }
  return found;
}

int JoinPointIndex::numberOf(const QvGePoint3d& point, const QvGeVector3d& planeNormal) {
  const bool finite = isFinite(point);
  if (finite) {
    if (const int found = firstEqual(point, planeNormal); found >= 0) return found;
  }
  const int added = size();
  points_.push_back(point);
  normals_.push_back(planeNormal);
  nextInCell_.push_back(-1);
  if (finite) {
    const double own[3] = {cellOf(point.x), cellOf(point.y), cellOf(point.z)};
    int* head = headOf(own);
    nextInCell_.back() = *head;
    *head = added;
  }
  return added;
}
