#pragma once

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeRay3d.h"
#include "sdk/ge/detail/CurveCopy.h"
#include "sdk/ge/detail/IntersectionRecords.h"

// The intersections of two curves within their intervals.
//
// Method. Lines, rays, segments, circular arcs and elliptical arcs meeting lines are solved in
// closed form (no allocation for these pairs). Every other pair (ellipses with arcs or each
// other, NURBS curves) goes through subdivision of both curves with bounding boxes and Newton
// refinement on the true curves. Polylines and composites are intersected piece by piece.
//
// Results. A point counts when the two curves come within tol.equalPoint of each other (or
// within 64 units in the last place of the largest coordinate, when that is more); its
// parameters are those of the two curves there (pointOnCurve1/2), and intPoint is the middle
// of the two points. Points are ordered by the first curve's parameter; points equal within
// the tolerance (joints of composites) are reported once. Each point says how the curves meet:
//   kIntCrossing    they cross, or one ends on the other;
//   kIntTangent     they touch with one tangent direction (closed forms: exactly; the general
//                   method: tangents within 1e-4 radians), reported once;
//   kIntOverlapEnd  an end of a piece the curves share (collinear segments, arcs of one circle,
//                   coincident NURBS). Each shared piece is also an overlap, with its parameter
//                   ranges on both curves; a shared full circle has an overlap and no ends.
//
// Projection. Given a plane, the curves are intersected as seen projected onto it along its
// normal: intPoint then lies on the plane, and the parameters and pointOnCurve1/2 are those of
// the original curves.
//
// Work limit. The general method examines at most workLimit() pairs of curve pieces for each
// pair of simple curves (pieces of polylines and composites count separately). A pair that
// needs more, which only contrived curves do, stops there: status() is eIncompleteResult, and
// the points and overlaps found so far are kept, but others may be missing.
//
// status() is eOk; eInvalidInput for an invalid curve or plane (no points then);
// eIncompleteResult when the work limit was reached.
//
// The object keeps its own copies of the two curves: curve1() and curve2() stay valid for as
// long as the object (until the next set()), also when the curves given were temporaries.
// Segments, lines, rays and circular and elliptical arcs are held inside the object, so that
// their intersections allocate nothing.
class QvGeCurveCurveInt3d {
 public:
  static constexpr int kDefaultWorkLimit = 400000;

  QvGeCurveCurveInt3d() = default;
  QvGeCurveCurveInt3d(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                      const QvGeTol& tol = QvGeContext::gTol);
  QvGeCurveCurveInt3d(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                      const QvGePlane& projectionPlane, const QvGeTol& tol = QvGeContext::gTol);

  Vexa::ErrorStatus set(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                        const QvGeTol& tol = QvGeContext::gTol);
  Vexa::ErrorStatus set(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2,
                        const QvGePlane& projectionPlane, const QvGeTol& tol = QvGeContext::gTol);

  // The piece pairs allowed from the next set() on (construct empty, set the limit, then
  // call set()); false, with the limit unchanged, unless positive.
  bool setWorkLimit(int piecePairs);
  int workLimit() const { return workLimit_; }

  Vexa::ErrorStatus status() const { return status_; }
  // This object's copies of the curves of the last set() (null before the first).
  const QvGeCurve3d* curve1() const { return curve1_.get(); }
  const QvGeCurve3d* curve2() const { return curve2_.get(); }
  const QvGeTol& tolerance() const { return tol_; }
  bool isProjected() const { return projected_; }

  int numIntPoints() const { return records_.size(); }
  // Index i in [0, numIntPoints()); out-of-range indices give the origin or zeros.
  QvGePoint3d intPoint(int i) const;
  void getIntParams(int i, double& param1, double& param2) const;
  QvGePoint3d pointOnCurve1(int i) const;
  QvGePoint3d pointOnCurve2(int i) const;
  QvGe::IntConfig intConfig(int i) const;
  bool isTangential(int i) const { return intConfig(i) == QvGe::kIntTangent; }

  int overlapCount() const { return overlaps_.size(); }
  // range2 runs from the second curve's parameter at the overlap's start on curve 1 to the one
  // at its end, so range2's bounds come in ascending order: check isOverlapReversed for the
  // sense.
  void getOverlapRanges(int i, QvGeInterval& range1, QvGeInterval& range2) const;
  bool isOverlapReversed(int i) const;

 private:
  void compute(const QvGeCurve3d& curve1, const QvGeCurve3d& curve2, const QvGePlane* plane,
               const QvGeTol& tol);
  bool valid(int i) const { return i >= 0 && i < records_.size(); }

  using CurveCopy = qvge_detail::CurveCopy<QvGeCurve3d, QvGeLineSeg3d, QvGeLine3d, QvGeRay3d,
                                           QvGeCircArc3d, QvGeEllipArc3d>;

  CurveCopy curve1_;
  CurveCopy curve2_;
  int workLimit_ = kDefaultWorkLimit;
  QvGeTol tol_;
  bool projected_ = false;
  QvGePlane plane_;
  Vexa::ErrorStatus status_ = Vexa::eInvalidInput;
  qvge_detail::InlineList<qvge_detail::IntRecord, 4> records_;
  qvge_detail::InlineList<qvge_detail::IntOverlap, 2> overlaps_;
};
