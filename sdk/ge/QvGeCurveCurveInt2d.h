#pragma once

#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGeCurveCurveInt3d.h"

// The intersections of two 2D curves: the same methods and results as QvGeCurveCurveInt3d
// (the curves are solved as the same curves in the plane z = 0, with the same parameters).
class QvGeCurveCurveInt2d {
 public:
  QvGeCurveCurveInt2d() = default;
  QvGeCurveCurveInt2d(const QvGeCurve2d& curve1, const QvGeCurve2d& curve2,
                      const QvGeTol& tol = QvGeContext::gTol);

  // eInvalidInput for an invalid curve.
  Vexa::ErrorStatus set(const QvGeCurve2d& curve1, const QvGeCurve2d& curve2,
                        const QvGeTol& tol = QvGeContext::gTol);

  Vexa::ErrorStatus status() const { return status_; }
  const QvGeCurve2d* curve1() const { return curve1_; }
  const QvGeCurve2d* curve2() const { return curve2_; }

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
  const QvGeCurve2d* curve1_ = nullptr;
  const QvGeCurve2d* curve2_ = nullptr;
  Vexa::ErrorStatus status_ = Vexa::eInvalidInput;
  QvGeCurveCurveInt3d result_;
};
