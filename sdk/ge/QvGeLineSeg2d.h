#pragma once

#include "sdk/ge/QvGeCurve2d.h"

// A straight segment in the plane, parameter [0, 1] from start to end (as QvGeLineSeg3d).
// Non-finite coordinates make an invalid segment, a point at the origin.
class QvGeLineSeg2d : public QvGeCurve2d {
 public:
  QvGeLineSeg2d();  // from the origin to (1, 0)
  QvGeLineSeg2d(const QvGePoint2d& start, const QvGePoint2d& end);

  QvGeLineSeg2d& set(const QvGePoint2d& start, const QvGePoint2d& end);

  QvGe::EntityId type() const override { return QvGe::kLineSeg2d; }
  QvGeLineSeg2d* copy() const override { return new QvGeLineSeg2d(*this); }
  bool isValid() const override { return valid_; }
  const QvGePoint2d& startPoint() const { return start_; }
  QvGePoint2d endPoint() const { return start_ + vector_; }
  QvGePoint2d midPoint() const { return start_ + vector_ * 0.5; }
  // The unit direction from start to end (zero for a segment of zero length).
  QvGeVector2d direction() const;

  void getInterval(QvGeInterval& interval) const override { interval.set(0.0, 1.0); }
  QvGePoint2d evalPoint(double param) const override { return start_ + vector_ * param; }
  void evalDerivatives(double param, int numDeriv, QvGePoint2d& point,
                       QvGeVector2d* derivs) const override;
  QvGePoint2d closestPointTo(const QvGePoint2d& p, double& param,
                             const QvGeTol& tol = QvGeContext::gTol) const override;
  using QvGeCurve2d::closestPointTo;
  double length(double fromParam, double toParam, double tol = kDefaultLengthTol) const override;
  using QvGeCurve2d::length;
  bool getParamAtLength(double datumParam, double length, bool posParamDir, double& param,
                        double tol = kDefaultLengthTol) const override;
  using QvGeCurve2d::getParamAtLength;
  void getSamplePoints(double fromParam, double toParam, double approxEps, QvGePoint2dArray& points,
                       QvGeDoubleArray& params) const override;
  using QvGeCurve2d::getSamplePoints;
  QvGeExtents2d boundBlock(const QvGeInterval& range) const override;
  using QvGeCurve2d::boundBlock;
  Vexa::ErrorStatus transformBy(const QvGeMatrix2d& m) override;
  void reverseParam() override;
  QvGeCurve2d* getTrimmedCurve(double fromParam, double toParam) const override;

 private:
  QvGePoint2d start_;
  QvGeVector2d vector_;
  bool valid_ = true;
};
