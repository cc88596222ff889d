#pragma once

#include "sdk/ge/QvGeCurve3d.h"

// A chain of straight segments through fit points. The parameter of fit point i is i, so the
// interval is [0, numFitPoints - 1]; beyond it evalPoint continues the end segments. A
// polyline needs two points or more (isValid); repeated points make segments of zero length.
class QvGePolyline3d : public QvGeCurve3d {
 public:
  QvGePolyline3d();  // empty, invalid
  explicit QvGePolyline3d(const QvGePoint3dArray& points);

  // eInvalidInput (polyline unchanged) for fewer than two points or non-finite coordinates.
  Vexa::ErrorStatus set(const QvGePoint3dArray& points);

  QvGe::EntityId type() const override { return QvGe::kPolyline3d; }
  QvGePolyline3d* copy() const override { return new QvGePolyline3d(*this); }
  bool isValid() const override { return points_.length() >= 2; }

  int numFitPoints() const { return points_.length(); }
  // The origin for an index out of range.
  QvGePoint3d fitPointAt(int i) const;
  bool getFitPointAt(int i, QvGePoint3d& p) const;

  void getInterval(QvGeInterval& interval) const override;
  void getBreakParams(QvGeDoubleArray& params) const override;
  QvGePoint3d evalPoint(double param) const override;
  void evalDerivatives(double param, int numDeriv, QvGePoint3d& point,
                       QvGeVector3d* derivs) const override;
  QvGePoint3d closestPointTo(const QvGePoint3d& p, double& param,
                             const QvGeTol& tol = QvGeContext::gTol) const override;
  using QvGeCurve3d::closestPointTo;
  double length(double fromParam, double toParam, double tol = kDefaultLengthTol) const override;
  using QvGeCurve3d::length;
  bool getParamAtLength(double datumParam, double length, bool posParamDir, double& param,
                        double tol = kDefaultLengthTol) const override;
  using QvGeCurve3d::getParamAtLength;
  // The vertices inside the range and the two ends.
  void getSamplePoints(double fromParam, double toParam, double approxEps, QvGePoint3dArray& points,
                       QvGeDoubleArray& params) const override;
  using QvGeCurve3d::getSamplePoints;
  QvGeBoundBlock3d orthoBoundBlock(const QvGeInterval& range) const override;
  using QvGeCurve3d::orthoBoundBlock;
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& m) override;
  void reverseParam() override { points_.reverse(); }
  // A sub-range, or for a closed polyline a range across the seam of at most one interval
  // length.
  QvGeCurve3d* getTrimmedCurve(double fromParam, double toParam) const override;
  Vexa::ErrorStatus project(const QvGePlane& plane, const QvGeVector3d& direction,
                            QvGeCurve3d*& result) const override;

 private:
  // Index of the segment that evaluates t (the end segments also serve outside).
  int segmentOf(double t) const;
  double lastParam() const { return static_cast<double>(points_.length() - 1); }
  // The points of [a, b] (a < b within the interval): a's point, the vertices between, b's.
  void appendRange(double a, double b, QvGePoint3dArray& out) const;

  QvGePoint3dArray points_;
};
