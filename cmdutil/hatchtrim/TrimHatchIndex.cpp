#include "cmdutil/hatchtrim/TrimHatchIndex.h"

#include <algorithm>
#include <cmath>

#include "cmdutil/hatchtrim/TrimHatchSupport.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGePrecision.h"
#include "xqcmdutil/CTrimHatch.h"

namespace xq_hatchtrim {

namespace {

bool gIndexed = true;

// At most this many cells on a side, and a box over more cells than this is kept apart.
constexpr int kMostCellsPerSide = 1024;
constexpr int kMostCellsPerItem = 256;

double axisOf(const QvGePoint3d& p, int axis) {
  return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

double largestMagnitude(const QvDbExtents& box) {
  const QvGePoint3d& lo = box.minPoint();
  const QvGePoint3d& hi = box.maxPoint();
  return std::max({std::fabs(lo.x), std::fabs(lo.y), std::fabs(lo.z), std::fabs(hi.x),
                   std::fabs(hi.y), std::fabs(hi.z)});
}

// A cell size that gives about one cell per item over an area of `width` x `height`.
double cellSize(double width, double height, size_t items, double magnitude) {
  const double perItem =
      std::sqrt(width * height / static_cast<double>(std::max<size_t>(1, items)));
  return std::max(
      {perItem, std::max(width, height) / (kMostCellsPerSide - 1), 1e-9 * (1.0 + magnitude)});
}

}  // namespace

bool indexedSearch() {
  return gIndexed;
}

// ---- BoxGrid ----

BoxGrid::BoxGrid(const std::vector<QvDbExtents>& boxes, const std::vector<bool>& known)
    : seen_(boxes.size(), 0) {
  bool any = false;
  QvGePoint3d lo, hi;
  for (size_t i = 0; i < boxes.size(); ++i) {
    if (!known[i]) continue;
    const QvGePoint3d& a = boxes[i].minPoint();
    const QvGePoint3d& b = boxes[i].maxPoint();
    if (!any) {
      lo = a, hi = b, any = true;
      continue;
    }
    lo.set(std::min(lo.x, a.x), std::min(lo.y, a.y), std::min(lo.z, a.z));
    hi.set(std::max(hi.x, b.x), std::max(hi.y, b.y), std::max(hi.z, b.z));
  }
  if (!any) {
    for (size_t i = 0; i < boxes.size(); ++i) everywhere_.push_back(static_cast<int>(i));
    return;
  }
  // The two widest axes.
  const double spread[3] = {hi.x - lo.x, hi.y - lo.y, hi.z - lo.z};
  int narrow = 0;
  for (int a = 1; a < 3; ++a)
    if (spread[a] < spread[narrow]) narrow = a;
  axisU_ = narrow == 0 ? 1 : 0;
  axisV_ = narrow == 2 ? 1 : 2;
  u0_ = axisOf(lo, axisU_), v0_ = axisOf(lo, axisV_);
  const double width = spread[axisU_], height = spread[axisV_];
  const double magnitude = std::max(largestMagnitude(QvDbExtents(lo, hi)), 1.0);
  cell_ = cellSize(width, height, boxes.size(), magnitude);
  columns_ = std::min(kMostCellsPerSide, static_cast<int>(width / cell_) + 1);
  rows_ = std::min(kMostCellsPerSide, static_cast<int>(height / cell_) + 1);
  cells_.resize(static_cast<size_t>(columns_) * static_cast<size_t>(rows_));
  for (size_t i = 0; i < boxes.size(); ++i) {
    const int item = static_cast<int>(i);
    if (!known[i]) {
      everywhere_.push_back(item);
      continue;
    }
    int c0, c1, r0, r1;
    cellRange(axisOf(boxes[i].minPoint(), axisU_), axisOf(boxes[i].maxPoint(), axisU_), u0_,
              columns_, c0, c1);
    cellRange(axisOf(boxes[i].minPoint(), axisV_), axisOf(boxes[i].maxPoint(), axisV_), v0_, rows_,
              r0, r1);
    if ((c1 - c0 + 1) * (r1 - r0 + 1) > kMostCellsPerItem) {
      everywhere_.push_back(item);
      continue;
    }
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) cells_[static_cast<size_t>(r * columns_ + c)].push_back(item);
  }
}

void BoxGrid::cellRange(double low, double high, double origin, int count, int& first,
                        int& last) const {
  auto cellOf = [&](double x) {
    const double f = std::floor((x - origin) / cell_);
    if (!(f >= 0.0)) return 0;  // below the grid, or not a number
    return f >= count - 1 ? count - 1 : static_cast<int>(f);
  };
  first = cellOf(low);
  last = std::max(first, cellOf(high));
}

void BoxGrid::query(const QvDbExtents& box, double margin, std::vector<int>& items) const {
  items.clear();
  if (++stamp_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  auto take = [&](int item) {
    uint32_t& s = seen_[static_cast<size_t>(item)];
    if (s == stamp_) return;
    s = stamp_;
    items.push_back(item);
  };
  for (const int item : everywhere_) take(item);
  if (!cells_.empty()) {
    int c0, c1, r0, r1;
    cellRange(axisOf(box.minPoint(), axisU_) - margin, axisOf(box.maxPoint(), axisU_) + margin, u0_,
              columns_, c0, c1);
    cellRange(axisOf(box.minPoint(), axisV_) - margin, axisOf(box.maxPoint(), axisV_) + margin, v0_,
              rows_, r0, r1);
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c)
        for (const int item : cells_[static_cast<size_t>(r * columns_ + c)]) take(item);
  }
  std::sort(items.begin(), items.end());
}

// ---- PointGrid ----

PointGrid::Key PointGrid::keyOf(const QvGePoint3d& p) const {
  // Cubes beyond 2^60 (and points that are not numbers) share the outermost cubes.
  auto cube = [&](double v) {
    const double f = std::floor(v / cube_);
    constexpr double kFar = 1152921504606846976.0;  // 2^60
    if (!(f > -kFar)) return static_cast<int64_t>(-kFar);
    return static_cast<int64_t>(std::min(f, kFar));
  };
  return {cube(p.x), cube(p.y), cube(p.z)};
}

void PointGrid::add(const QvGePoint3d& point, int item) {
  cells_[keyOf(point)].push_back(item);
}

// ---- CutterIndex ----

CutterIndex::CutterIndex(const QvArray<QvDbCurve*>& cutters, const QvGePlane& hatchPlane) {
  const QvGeVector3d normal = hatchPlane.normal();
  // The ray direction of rayCrossingsOdd, seen in the hatch's plane; a ray along the normal
  // (seen as a point) is turned differently for each side of the plane: nothing is banded.
  QvGeVector3d direction = rayDirection();
  direction -= normal * direction.dotProduct(normal);
  const int n = cutters.length();
  bands_.resize(static_cast<size_t>(n));
  banded_.assign(static_cast<size_t>(n), false);
  const bool usable = direction.length() > 1e-6;
  if (usable) {
    along_ = direction.normal();
    across_ = normal.crossProduct(along_).normal();
  }
  double low = 0.0, high = 0.0;
  bool any = false;
  for (int i = 0; i < n; ++i) {
    const QvDbEntity* entity = asEntity(cutters[i]);
    if (!entity || !usable) continue;
    // The plane the survival test sees the cutter in.
    QvGePlane plane;
    QvDb::Planarity planarity;
    if (entity->getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar)
      plane = hatchPlane;
    if (!plane.normal().isParallelTo(normal, QvGeTol(1e-12, 1e-12))) continue;
    QvDbExtents box;
    if (entity->getGeomExtents(box) != Vexa::eOk) continue;
    Band band;
    band.low = 1e300, band.high = -1e300, band.far = -1e300;
    const QvGePoint3d& a = box.minPoint();
    const QvGePoint3d& b = box.maxPoint();
    for (int corner = 0; corner < 8; ++corner) {
      const QvGeVector3d c((corner & 1) ? b.x : a.x, (corner & 2) ? b.y : a.y,
                           (corner & 4) ? b.z : a.z);
      const double w = c.dotProduct(across_), s = c.dotProduct(along_);
      band.low = std::min(band.low, w);
      band.high = std::max(band.high, w);
      band.far = std::max(band.far, s);
    }
    // Crossings the ray test finds lie on the cutter, in its box, up to rounding.
    const double margin = 1e-6 * (1.0 + box.diagonal()) + 1e-8 * largestMagnitude(box);
    band.low -= margin;
    band.high += margin;
    band.far += margin;
    bands_[static_cast<size_t>(i)] = band;
    banded_[static_cast<size_t>(i)] = true;
    low = any ? std::min(low, band.low) : band.low;
    high = any ? std::max(high, band.high) : band.high;
    any = true;
  }
  for (int i = 0; i < n; ++i)
    if (asEntity(cutters[i]) && !banded_[static_cast<size_t>(i)]) everywhere_.push_back(i);
  if (!any) return;
  w0_ = low;
  count_ = std::min(n, 4 * kMostCellsPerSide);
  cell_ = std::max((high - low) / count_, 1e-9 * (1.0 + std::fabs(low) + std::fabs(high)));
  count_ = std::min(count_, static_cast<int>((high - low) / cell_) + 1);
  cells_.resize(static_cast<size_t>(count_));
  for (int i = 0; i < n; ++i) {
    if (!banded_[static_cast<size_t>(i)]) continue;
    int first, last;
    cellRange(bands_[static_cast<size_t>(i)].low, bands_[static_cast<size_t>(i)].high, first, last);
    if (last - first + 1 > kMostCellsPerItem) {
      everywhere_.push_back(i);
      continue;
    }
    for (int c = first; c <= last; ++c) cells_[static_cast<size_t>(c)].push_back(i);
  }
}

void CutterIndex::cellRange(double low, double high, int& first, int& last) const {
  auto cellOf = [&](double x) {
    const double f = std::floor((x - w0_) / cell_);
    if (!(f >= 0.0)) return 0;
    return f >= count_ - 1 ? count_ - 1 : static_cast<int>(f);
  };
  first = cellOf(low);
  last = std::max(first, cellOf(high));
}

void CutterIndex::candidates(const QvGePoint3d& point, std::vector<int>& items) const {
  items = everywhere_;
  if (!cells_.empty()) {
    const double w = point.asVector().dotProduct(across_);
    const double s = point.asVector().dotProduct(along_);
    int first, last;
    cellRange(w, w, first, last);
    for (const int i : cells_[static_cast<size_t>(first)]) {
      const Band& band = bands_[static_cast<size_t>(i)];
      if (w >= band.low && w <= band.high && band.far >= s) items.push_back(i);
    }
  }
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
}

}  // namespace xq_hatchtrim

void CTrimHatch::setIndexedSearch(bool indexed) {
  xq_hatchtrim::gIndexed = indexed;
}
