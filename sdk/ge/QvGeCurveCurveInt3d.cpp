#include "sdk/ge/QvGeCurveCurveInt3d.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/IntersectionLeaves.h"
#include "sdk/ge/detail/Resolution.h"

namespace gd = qvge_detail;

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

bool QvGeCurveCurveInt3d::setWorkLimit(int piecePairs) {
  if (piecePairs <= 0) return false;
  workLimit_ = piecePairs;
  return true;
}

void QvGeCurveCurveInt3d::compute(const QvGeCurve3d& given1, const QvGeCurve3d& given2,
                                  const QvGePlane* plane, const QvGeTol& tol) {
  // Both copies are made before either is replaced: the curves given may be this object's own.
  CurveCopy copy1(given1), copy2(given2);
  curve1_ = std::move(copy1);
  curve2_ = std::move(copy2);
  const QvGeCurve3d& curve1 = *curve1_.get();
  const QvGeCurve3d& curve2 = *curve2_.get();
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
      gd::atResolution(tol, std::max(gd::coordinateScale(curve1), gd::coordinateScale(curve2)));

  gd::IntSink sink;
  if (!plane && gd::isSimpleCurve(curve1) && gd::isSimpleCurve(curve2)) {
    gd::intersectLeaves({&curve1, 0.0, false}, {&curve2, 0.0, false}, work, workLimit_, sink);
  } else {
    gd::LeafSet first, second;
    first.add(curve1, 0.0);
    second.add(curve2, 0.0);
    if (plane) {
      first.project(*plane);
      second.project(*plane);
    }
    gd::intersectLeafSets(first.leaves, second.leaves, work, workLimit_, sink);
  }
  if (!sink.complete) status_ = Vexa::eIncompleteResult;

  QvGeInterval range1, range2;
  curve1.getInterval(range1);
  curve2.getInterval(range2);
  const double span1 = range1.isBounded() ? range1.length() : 1.0;
  const double span2 = range2.isBounded() ? range2.length() : 1.0;
  const double near1 = QvGePrecision::kRelative * std::max(span1, 1.0);
  const double near2 = QvGePrecision::kRelative * std::max(span2, 1.0);

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
  const bool any = sink.records.size() > 0;
  const bool closed1 = any && range1.isBounded() && curve1.isClosed(tol);
  const bool closed2 = any && range2.isBounded() && curve2.isClosed(tol);
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
