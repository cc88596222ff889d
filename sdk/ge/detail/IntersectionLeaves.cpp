#include "sdk/ge/detail/IntersectionLeaves.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/detail/ClosedFormIntersect.h"
#include "sdk/ge/detail/GeneralIntersector.h"
#include "sdk/ge/detail/Resolution.h"

namespace qvge_detail {

namespace {

double lowerOf(const QvGeCurve3d& c) {
  QvGeInterval i;
  c.getInterval(i);
  return i.lowerBound();
}

bool isConic(const QvGeCurve3d& c) {
  return c.type() == QvGe::kCircArc3d || c.type() == QvGe::kEllipArc3d;
}

const ConicArc<3>& conicOf(const QvGeCurve3d& c) {
  return c.type() == QvGe::kCircArc3d ? static_cast<const QvGeCircArc3d&>(c).conicData()
                                      : static_cast<const QvGeEllipArc3d&>(c).conicData();
}

// The parameter range of a curve; an unbounded side is cut to what can meet `other` (its box
// seen on this line, with a margin).
void rangeFor(const QvGeCurve3d& c, const QvGeCurve3d& other, bool dropZ, double& lo, double& hi) {
  QvGeInterval i;
  c.getInterval(i);
  if (i.isBounded()) {
    lo = i.lowerBound();
    hi = i.upperBound();
    return;
  }
  const auto& line = static_cast<const QvGeLinearEnt3d&>(c);
  QvGeVector3d d = line.paramVector();
  QvGePoint3d base = line.pointOnLine();
  if (dropZ) {
    d.z = 0.0;
    base.z = 0.0;
  }
  const QvGeExtents3d box = other.orthoBoundBlock().extents();
  double sMin = HUGE_VAL, sMax = -HUGE_VAL;
  const double len2 = d.lengthSqrd();
  for (int corner = 0; corner < 8; ++corner) {
    QvGePoint3d p((corner & 1) ? box.maxPoint().x : box.minPoint().x,
                  (corner & 2) ? box.maxPoint().y : box.minPoint().y,
                  (corner & 4) ? box.maxPoint().z : box.minPoint().z);
    if (dropZ) p.z = 0.0;
    const double s = len2 > 0.0 ? (p - base).dotProduct(d) / len2 : 0.0;
    sMin = std::min(sMin, s);
    sMax = std::max(sMax, s);
  }
  const double margin = 1.0 + 1e-6 * (sMax - sMin);
  lo = i.isBoundedBelow() ? i.lowerBound() : sMin - margin;
  hi = i.isBoundedAbove() ? i.upperBound() : sMax + margin;
  if (i.isBoundedBelow()) hi = std::max(hi, lo);
  if (i.isBoundedAbove()) lo = std::min(lo, hi);
}

// Boxes of a leaf list, and of every run of leaves, as a binary tree (leaf i at size + i), so
// that long chains meet by pairs of boxes instead of every pair of pieces.
class LeafTree {
 public:
  explicit LeafTree(const std::vector<Leaf>& leaves) {
    size_ = 1;
    while (size_ < static_cast<int>(leaves.size())) size_ *= 2;
    boxes_.assign(static_cast<size_t>(2 * size_), QvGeExtents3d());
    for (size_t i = 0; i < leaves.size(); ++i) {
      const QvGeExtents3d box = leaves[i].curve->orthoBoundBlock().extents();
      QvGePoint3d lo = box.minPoint(), hi = box.maxPoint();
      if (leaves[i].dropZ) lo.z = hi.z = 0.0;
      boxes_[static_cast<size_t>(size_) + i].addPoint(lo).addPoint(hi);
    }
    for (int n = size_ - 1; n >= 1; --n)
      boxes_[static_cast<size_t>(n)]
          .addExt(boxes_[static_cast<size_t>(2 * n)])
          .addExt(boxes_[static_cast<size_t>(2 * n + 1)]);
  }
  const QvGeExtents3d& box(int node) const { return boxes_[static_cast<size_t>(node)]; }
  bool isLeaf(int node) const { return node >= size_; }
  int leafIndex(int node) const { return node - size_; }

 private:
  int size_ = 1;
  std::vector<QvGeExtents3d> boxes_;
};

}  // namespace

void LeafSet::add(const QvGeCurve3d& c, double shift) {
  if (c.type() == QvGe::kCompositeCrv3d) {
    const auto& comp = static_cast<const QvGeCompositeCurve3d&>(c);
    for (int i = 0; i < comp.numCurves(); ++i) {
      const QvGeCurve3d& piece = *comp.curveAt(i);
      add(piece, shift + comp.offset(i) - lowerOf(piece));
    }
  } else if (c.type() == QvGe::kPolyline3d) {
    const auto& poly = static_cast<const QvGePolyline3d&>(c);
    for (int i = 0; i + 1 < poly.numFitPoints(); ++i) {
      const QvGeCurve3d* seg =
          keepOwned(new QvGeLineSeg3d(poly.fitPointAt(i), poly.fitPointAt(i + 1)));
      leaves.push_back({seg, shift + i, false});
    }
  } else {
    leaves.push_back({&c, shift, false});
  }
}

void LeafSet::project(const QvGePlane& plane) {
  const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(plane);
  std::vector<Leaf> projected;
  for (const Leaf& leaf : leaves) {
    std::unique_ptr<QvGeCurve3d> moved(leaf.curve->copy());
    moved->transformBy(toPlane);
    QvGeCurve3d* flat = nullptr;
    if (moved->orthoProject(QvGePlane::kXYPlane, flat) == Vexa::eOk) {
      const double shift = leaf.shift + lowerOf(*leaf.curve) - lowerOf(*flat);
      projected.push_back({keepOwned(flat), shift, false});
    } else {
      projected.push_back({keepOwned(moved.release()), leaf.shift, true});
    }
  }
  leaves = std::move(projected);
}

const QvGeCurve3d* LeafSet::keepOwned(QvGeCurve3d* c) {
  owned_.emplace_back(c);
  return c;
}

// One pair of leaves, by closed form where there is one.
void intersectLeaves(const Leaf& a, const Leaf& b, const QvGeTol& tol, int workLimit,
                     IntSink& out) {
  IntSink local;
  const QvGeCurve3d& ca = *a.curve;
  const QvGeCurve3d& cb = *b.curve;
  const bool linA = ca.isKindOf(QvGe::kLinearEnt3d), linB = cb.isKindOf(QvGe::kLinearEnt3d);
  const bool flat = !a.dropZ && !b.dropZ;
  if (flat && linA && linB) {
    intersectLines(static_cast<const QvGeLinearEnt3d&>(ca), static_cast<const QvGeLinearEnt3d&>(cb),
                   tol, local);
  } else if (flat && linA && isConic(cb) &&
             static_cast<const QvGeLinearEnt3d&>(ca).paramVector().lengthSqrd() > 0.0) {
    intersectLineConic(static_cast<const QvGeLinearEnt3d&>(ca), conicOf(cb), tol, false, local);
  } else if (flat && isConic(ca) && linB &&
             static_cast<const QvGeLinearEnt3d&>(cb).paramVector().lengthSqrd() > 0.0) {
    intersectLineConic(static_cast<const QvGeLinearEnt3d&>(cb), conicOf(ca), tol, true, local);
  } else if (flat && ca.type() == QvGe::kCircArc3d && cb.type() == QvGe::kCircArc3d) {
    intersectCircles(conicOf(ca), conicOf(cb), tol, local);
  } else {
    const bool dropZ = a.dropZ || b.dropZ;
    double a0, a1, b0, b1;
    rangeFor(ca, cb, dropZ, a0, a1);
    rangeFor(cb, ca, dropZ, b0, b1);
    intersectGeneral(ca, a0, a1, cb, b0, b1, tol, dropZ, workLimit, local);
  }
  if (!local.complete) out.complete = false;
  for (int i = 0; i < local.records.size(); ++i) {
    IntRecord r = local.records[i];
    r.param1 += a.shift;
    r.param2 += b.shift;
    out.records.push_back(r);
  }
  for (int i = 0; i < local.overlaps.size(); ++i) {
    IntOverlap o = local.overlaps[i];
    o.lo1 += a.shift;
    o.hi1 += a.shift;
    o.lo2 += b.shift;
    o.hi2 += b.shift;
    out.overlaps.push_back(o);
  }
}

// Every pair of leaves whose boxes meet (within the tolerance).
void intersectLeafSets(const std::vector<Leaf>& first, const std::vector<Leaf>& second,
                       const QvGeTol& tol, int workLimit, IntSink& sink) {
  const LeafTree ta(first), tb(second);
  std::vector<std::pair<int, int>> stack{{1, 1}};
  while (!stack.empty()) {
    const auto [na, nb] = stack.back();
    stack.pop_back();
    if (ta.box(na).isDisjoint(tb.box(nb), tol)) continue;
    const bool leafA = ta.isLeaf(na), leafB = tb.isLeaf(nb);
    if (leafA && leafB) {
      intersectLeaves(first[static_cast<size_t>(ta.leafIndex(na))],
                      second[static_cast<size_t>(tb.leafIndex(nb))], tol, workLimit, sink);
    } else if (!leafA && (leafB || ta.box(na).diagonal() >= tb.box(nb).diagonal())) {
      stack.emplace_back(2 * na + 1, nb);
      stack.emplace_back(2 * na, nb);
    } else {
      stack.emplace_back(na, 2 * nb + 1);
      stack.emplace_back(na, 2 * nb);
    }
  }
}

// The largest coordinate a curve reaches (for straight curves, of their defining points: an
// unbounded line reaches every size).
double coordinateScale(const QvGeCurve3d& c) {
  if (c.isKindOf(QvGe::kLinearEnt3d)) {
    const auto& line = static_cast<const QvGeLinearEnt3d&>(c);
    return std::max(largestCoordinate(line.pointOnLine()),
                    largestCoordinate(line.pointOnLine() + line.paramVector()));
  }
  if (isConic(c)) {
    const ConicArc<3>& conic = conicOf(c);
    return largestCoordinate(conic.center) + std::max(conic.a, conic.b);
  }
  const QvGeExtents3d box = c.orthoBoundBlock().extents();
  return std::max(largestCoordinate(box.minPoint()), largestCoordinate(box.maxPoint()));
}

bool isSimpleCurve(const QvGeCurve3d& c) {
  return c.type() != QvGe::kCompositeCrv3d && c.type() != QvGe::kPolyline3d;
}

}  // namespace qvge_detail
