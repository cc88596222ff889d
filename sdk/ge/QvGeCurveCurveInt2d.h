#pragma once

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGeCurveCurveInt3d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/detail/CurveCopy.h"

// The intersections of two 2D curves: the same methods, results, work limit and statuses as
// QvGeCurveCurveInt3d (the curves are solved as the same curves in the plane z = 0, with the
// same parameters). The object keeps its own copies of the curves, as the 3D one does.
class QvGeCurveCurveInt2d {
 public:
  QvGeCurveCurveInt2d() = default;
  QvGeCurveCurveInt2d(const QvGeCurve2d& curve1, const QvGeCurve2d& curve2,
                      const QvGeTol& tol = QvGeContext::gTol);

  // eInvalidInput for an invalid curve, eIncompleteResult at the work limit.
  Vexa::ErrorStatus set(const QvGeCurve2d& curve1, const QvGeCurve2d& curve2,
                        const QvGeTol& tol = QvGeContext::gTol);

  // As QvGeCurveCurveInt3d::setWorkLimit.
  bool setWorkLimit(int piecePairs);
  int workLimit() const { return workLimit_; }

  Vexa::ErrorStatus status() const { return status_; }
  const QvGeCurve2d* curve1() const { return curve1_.get(); }
  const QvGeCurve2d* curve2() const { return curve2_.get(); }

  int numIntPoints() const { return result_.numIntPoints(); }
  QvGePoint2d intPoint(int i) const;
  void getIntParams(int i, double& param1, double& param2) const {
    result_.getIntParams(i, param1, param2);
  }
  QvGe::IntConfig intConfig(int i) const { return result_.intConfig(i); }
  bool isTangential(int i) const { return result_.isTangential(i); }
  int overlapCount() const { return result_.overlapCount(); }
  void getOverlapRanges(int i, QvGeInterval& range1, QvGeInterval& range2) const {
    result_.getOverlapRanges(i, range1, range2);
  }
  bool isOverlapReversed(int i) const { return result_.isOverlapReversed(i); }

 private:
  using CurveCopy =
      qvge_detail::CurveCopy<QvGeCurve2d, QvGeLineSeg2d, QvGeCircArc2d, QvGeEllipArc2d>;

  CurveCopy curve1_;
  CurveCopy curve2_;
  int workLimit_ = QvGeCurveCurveInt3d::kDefaultWorkLimit;
  Vexa::ErrorStatus status_ = Vexa::eInvalidInput;
  QvGeCurveCurveInt3d result_;
};
