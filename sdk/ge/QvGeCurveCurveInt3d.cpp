#include "sdk/ge/QvGeCurveCurveInt3d.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/detail/ClosedFormIntersect.h"
#include "sdk/ge/detail/GeneralIntersector.h"
#include "sdk/ge/detail/Resolution.h"

namespace gd = qvge_detail;

namespace {

// A curve met while taking composites and polylines apart: its parameter plus shift is the
// parameter of the curve the caller gave. dropZ marks a curve kept in projection-plane
// coordinates because its projection would collapse.
struct Leaf {
  const QvGeCurve3d* curve;
  double shift;
  bool dropZ;
};

double lowerOf(const QvGeCurve3d& c) {
  QvGeInterval i;
  c.getInterval(i);
  return i.lowerBound();
}

bool isConic(const QvGeCurve3d& c) {
  return c.type() == QvGe::kCircArc3d || c.type() == QvGe::kEllipArc3d;
}

const gd::ConicArc<3>& conicOf(const QvGeCurve3d& c) {
  return c.type() == QvGe::kCircArc3d ? static_cast<const QvGeCircArc3d&>(c).conicData()
                                      : static_cast<const QvGeEllipArc3d&>(c).conicData();
}

// The curves of one side, with the pieces made for them.
class LeafSet {
 public:
  void add(const QvGeCurve3d& c, double shift) {
    if (c.type() == QvGe::kCompositeCrv3d) {
      const auto& comp = static_cast<const QvGeCompositeCurve3d&>(c);
      for (int i = 0; i < comp.numCurves(); ++i) {
        const QvGeCurve3d& piece = *comp.curveAt(i);
        add(piece, shift + comp.offset(i) - lowerOf(piece));
      }
    } else if (c.type() == QvGe::kPolyline3d) {
      const auto& poly = static_cast<const QvGePolyline3d&>(c);
      for (int i = 0; i + 1 < poly.numFitPoints(); ++i)
        keep(new QvGeLineSeg3d(poly.fitPointAt(i), poly.fitPointAt(i + 1)), shift + i, false);
    } else {
      leaves.push_back({&c, shift, false});
    }
  }

  // Every leaf into the plane's coordinates, flattened onto z = 0 where that keeps it a curve
  // with the same parameters (up to a shift); otherwise kept whole and compared in x and y.
  void project(const QvGePlane& plane) {
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

  std::vector<Leaf> leaves;

 private:
  const QvGeCurve3d* keepOwned(QvGeCurve3d* c) {
    owned_.emplace_back(c);
    return c;
  }
  void keep(QvGeCurve3d* c, double shift, bool dropZ) {
    leaves.push_back({keepOwned(c), shift, dropZ});
  }

  std::vector<std::unique_ptr<QvGeCurve3d>> owned_;
};

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

// One pair of leaves, by closed form where there is one.
void intersectLeaves(const Leaf& a, const Leaf& b, const QvGeTol& tol, gd::IntSink& out) {
  gd::IntSink local;
  const QvGeCurve3d& ca = *a.curve;
  const QvGeCurve3d& cb = *b.curve;
  const bool linA = ca.isKindOf(QvGe::kLinearEnt3d), linB = cb.isKindOf(QvGe::kLinearEnt3d);
  const bool flat = !a.dropZ && !b.dropZ;
  if (flat && linA && linB) {
    gd::intersectLines(static_cast<const QvGeLinearEnt3d&>(ca),
                       static_cast<const QvGeLinearEnt3d&>(cb), tol, local);
  } else if (flat && linA && isConic(cb) &&
             static_cast<const QvGeLinearEnt3d&>(ca).paramVector().lengthSqrd() > 0.0) {
    gd::intersectLineConic(static_cast<const QvGeLinearEnt3d&>(ca), conicOf(cb), tol, false, local);
  } else if (flat && isConic(ca) && linB &&
             static_cast<const QvGeLinearEnt3d&>(cb).paramVector().lengthSqrd() > 0.0) {
    gd::intersectLineConic(static_cast<const QvGeLinearEnt3d&>(cb), conicOf(ca), tol, true, local);
  } else if (flat && ca.type() == QvGe::kCircArc3d && cb.type() == QvGe::kCircArc3d) {
    gd::intersectCircles(conicOf(ca), conicOf(cb), tol, local);
  } else {
    const bool dropZ = a.dropZ || b.dropZ;
    double a0, a1, b0, b1;
    rangeFor(ca, cb, dropZ, a0, a1);
    rangeFor(cb, ca, dropZ, b0, b1);
    gd::intersectGeneral(ca, a0, a1, cb, b0, b1, tol, dropZ, local);
  }
  for (int i = 0; i < local.records.size(); ++i) {
    gd::IntRecord r = local.records[i];
    r.param1 += a.shift;
    r.param2 += b.shift;
    out.records.push_back(r);
  }
  for (int i = 0; i < local.overlaps.size(); ++i) {
    gd::IntOverlap o = local.overlaps[i];
    o.lo1 += a.shift;
    o.hi1 += a.shift;
    o.lo2 += b.shift;
    o.hi2 += b.shift;
    out.overlaps.push_back(o);
  }
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

// Every pair of leaves whose boxes meet (within the tolerance).
void intersectLeafSets(const std::vector<Leaf>& first, const std::vector<Leaf>& second,
                       const QvGeTol& tol, gd::IntSink& sink) {
  const LeafTree ta(first), tb(second);
  std::vector<std::pair<int, int>> stack{{1, 1}};
  while (!stack.empty()) {
    const auto [na, nb] = stack.back();
    stack.pop_back();
    if (ta.box(na).isDisjoint(tb.box(nb), tol)) continue;
    const bool leafA = ta.isLeaf(na), leafB = tb.isLeaf(nb);
    if (leafA && leafB) {
      intersectLeaves(first[static_cast<size_t>(ta.leafIndex(na))],
                      second[static_cast<size_t>(tb.leafIndex(nb))], tol, sink);
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
    return std::max(gd::largestCoordinate(line.pointOnLine()),
                    gd::largestCoordinate(line.pointOnLine() + line.paramVector()));
  }
  const QvGeExtents3d box = c.orthoBoundBlock().extents();
  return std::max(gd::largestCoordinate(box.minPoint()), gd::largestCoordinate(box.maxPoint()));
}

bool isSimple(const QvGeCurve3d& c) {
  return c.type() != QvGe::kCompositeCrv3d && c.type() != QvGe::kPolyline3d;
}

}  // namespace

QvGeCurveCurveInt3d::QvGeCurveCurveInt3d(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                                         const QvGeTol& tol) {
  set(curve1, curve2, tol);
}

QvGeCurveCurveInt3d::QvGeCurveCurveInt3d(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                                         const QvGePlane& projectionPlane, const QvGeTol& tol) {
  set(curve1, curve2, projectionPlane, tol);
}

Vexa::ErrorStatus QvGeCurveCurveInt3d::set(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                                           const QvGeTol& tol) {
  compute(curve1, curve2, nullptr, tol);
  return status_;
}

Vexa::ErrorStatus QvGeCurveCurveInt3d::set(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                                           const QvGePlane& projectionPlane, const QvGeTol& tol) {
  compute(curve1, curve2, &projectionPlane, tol);
  return status_;
}

void QvGeCurveCurveInt3d::compute(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                                  const QvGePlane* plane, const QvGeTol& tol) {
  curve1_ = &curve1;
  curve2_ = &curve2;
  tol_ = tol;
  projected_ = plane != nullptr;
  plane_ = plane ? *plane : QvGePlane();
  records_.clear();
  overlaps_.clear();
  if (!curve1.isValid() || !curve2.isValid() || (plane && !plane->isValid())) {
    status_ = Vexa::eInvalidInput;
    return;
  }
  status_ = Vexa::eOk;
  // Computed points are compared no finer than the coordinates' resolution.
  const QvGeTol work =
      gd::atResolution(tol, std::max(coordinateScale(curve1), coordinateScale(curve2)));

  gd::IntSink sink;
  if (!plane && isSimple(curve1) && isSimple(curve2)) {
    intersectLeaves({&curve1, 0.0, false}, {&curve2, 0.0, false}, work, sink);
  } else {
    LeafSet first, second;
    first.add(curve1, 0.0);
    second.add(curve2, 0.0);
    if (plane) {
      first.project(*plane);
      second.project(*plane);
    }
    intersectLeafSets(first.leaves, second.leaves, work, sink);
  }

  QvGeInterval range1, range2;
  curve1.getInterval(range1);
  curve2.getInterval(range2);
  const double span1 = range1.isBounded() ? range1.length() : 1.0;
  const double span2 = range2.isBounded() ? range2.length() : 1.0;
  const double near1 = 1e-9 * std::max(span1, 1.0), near2 = 1e-9 * std::max(span2, 1.0);

  // Overlaps that continue across joints become one.
  sink.overlaps.sort(
      [](const gd::IntOverlap& x, const gd::IntOverlap& y) { return x.lo1 < y.lo1; });
  for (int i = 0; i < sink.overlaps.size(); ++i) {
    if (overlaps_.size() > 0) {
      gd::IntOverlap& last = overlaps_[overlaps_.size() - 1];
      const gd::IntOverlap& next = sink.overlaps[i];
      if (next.lo1 <= last.hi1 + near1 && std::fabs(next.lo2 - last.hi2) <= near2) {
        last.hi1 = std::max(last.hi1, next.hi1);
        last.hi2 = next.hi2;
        continue;
      }
    }
    overlaps_.push_back(sink.overlaps[i]);
  }

  // Points: inside an overlap they are dropped; the seam of a closed curve is one parameter;
  // equal points with equal parameters are one.
  const bool closed1 = range1.isBounded() && curve1.isClosed(tol);
  const bool closed2 = range2.isBounded() && curve2.isClosed(tol);
  for (int i = 0; i < sink.records.size(); ++i) {
    gd::IntRecord r = sink.records[i];
    if (closed1 && std::fabs(r.param1 - range1.upperBound()) <= near1)
      r.param1 = range1.lowerBound();
    if (closed2 && std::fabs(r.param2 - range2.upperBound()) <= near2)
      r.param2 = range2.lowerBound();
    bool inside = false;
    for (int k = 0; k < overlaps_.size(); ++k)
      inside =
          inside || (r.param1 > overlaps_[k].lo1 + near1 && r.param1 < overlaps_[k].hi1 - near1);
    if (inside) continue;
    sink.records[i] = r;
    bool duplicate = false;
    for (int k = 0; k < records_.size() && !duplicate; ++k) {
      gd::IntRecord& kept = records_[k];
      if (std::fabs(kept.param1 - r.param1) <= near1 &&
          std::fabs(kept.param2 - r.param2) <= near2) {
        duplicate = true;
        // An overlap's end says more than a crossing found by a neighbouring piece.
        if (r.config == QvGe::kIntOverlapEnd) kept.config = r.config;
      }
    }
    if (!duplicate) records_.push_back(r);
  }
  records_.sort([](const gd::IntRecord& x, const gd::IntRecord& y) { return x.param1 < y.param1; });

  if (plane) {
    // The leaves were moved into plane coordinates: points come from the callers' curves.
    for (int i = 0; i < records_.size(); ++i) {
      records_[i].point1 = curve1.evalPoint(records_[i].param1);
      records_[i].point2 = curve2.evalPoint(records_[i].param2);
    }
  }
}

QvGePoint3d QvGeCurveCurveInt3d::intPoint(int i) const {
  if (!valid(i)) return QvGePoint3d::kOrigin;
  const gd::IntRecord& r = records_[i];
  if (projected_) {
    const QvGePoint3d a = plane_.closestPointTo(r.point1), b = plane_.closestPointTo(r.point2);
    return a + (b - a) * 0.5;
  }
  return r.point1 + (r.point2 - r.point1) * 0.5;
}

void QvGeCurveCurveInt3d::getIntParams(int i, double& param1, double& param2) const {
  param1 = valid(i) ? records_[i].param1 : 0.0;
  param2 = valid(i) ? records_[i].param2 : 0.0;
}

QvGePoint3d QvGeCurveCurveInt3d::pointOnCurve1(int i) const {
  return valid(i) ? records_[i].point1 : QvGePoint3d::kOrigin;
}

QvGePoint3d QvGeCurveCurveInt3d::pointOnCurve2(int i) const {
  return valid(i) ? records_[i].point2 : QvGePoint3d::kOrigin;
}

QvGe::IntConfig QvGeCurveCurveInt3d::intConfig(int i) const {
  return valid(i) ? records_[i].config : QvGe::kIntCrossing;
}

void QvGeCurveCurveInt3d::getOverlapRanges(int i, QvGeInterval& range1,
                                           QvGeInterval& range2) const {
  if (i < 0 || i >= overlaps_.size()) return;
  const gd::IntOverlap& o = overlaps_[i];
  range1.set(o.lo1, o.hi1);
  range2.set(o.lo2, o.hi2);
}

bool QvGeCurveCurveInt3d::isOverlapReversed(int i) const {
  return i >= 0 && i < overlaps_.size() && overlaps_[i].hi2 < overlaps_[i].lo2;
}
