#pragma once

#include "sdk/ge/QvGeCurve3d.h"

class QvGeLine3d;

// Base of the straight curves: the points base + t * paramVector over an interval that each
// kind fixes (QvGeLine3d, QvGeRay3d, QvGeLineSeg3d). A zero parameter vector makes an
// unbounded line or ray invalid; a segment of zero length stays valid (it is a point).
// Non-finite coordinates make any of them invalid, a point at the origin.
class QvGeLinearEnt3d : public QvGeCurve3d {
 public:
  bool isValid() const override { return valid_; }

  const QvGePoint3d& pointOnLine() const { return base_; }
  // The change of point per unit of parameter (end - start for a segment).
  const QvGeVector3d& paramVector() const { return paramVector_; }
  // The unit direction in which the parameter grows; zero for a degenerate entity.
  QvGeVector3d direction() const;
  // The unbounded line carrying this entity.
  QvGeLine3d getLine() const;
  bool isParallelTo(const QvGeLinearEnt3d& other, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isColinearTo(const QvGeLinearEnt3d& other, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isPerpendicularTo(const QvGeLinearEnt3d& other,
                         const QvGeTol& tol = QvGeContext::gTol) const;

  QvGePoint3d evalPoint(double param) const override;
  void evalDerivatives(double param, int numDeriv, QvGePoint3d& point,
                       QvGeVector3d* derivs) const override;
  QvGePoint3d closestPointTo(const QvGePoint3d& p, double& param,
                             const QvGeTol& tol = QvGeContext::gTol) const override;
  using QvGeCurve3d::closestPointTo;
  bool projClosestPointTo(const QvGePoint3d& p, const QvGeVector3d& direction, QvGePoint3d& result,
                          double& param, const QvGeTol& tol = QvGeContext::gTol) const override;
  double length(double fromParam, double toParam, double tol = kDefaultLengthTol) const override;
  using QvGeCurve3d::length;
  bool getParamAtLength(double datumParam, double length, bool posParamDir, double& param,
                        double tol = kDefaultLengthTol) const override;
  using QvGeCurve3d::getParamAtLength;
  // A straight piece needs only its two ends.
  void getSamplePoints(double fromParam, double toParam, double approxEps, QvGePoint3dArray& points,
                       QvGeDoubleArray& params) const override;
  using QvGeCurve3d::getSamplePoints;
  QvGeBoundBlock3d orthoBoundBlock(const QvGeInterval& range) const override;
  using QvGeCurve3d::orthoBoundBlock;
  // eDegenerateGeometry when the matrix collapses the direction of a line or ray.
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& m) override;
  Vexa::ErrorStatus project(const QvGePlane& plane, const QvGeVector3d& direction,
                            QvGeCurve3d*& result) const override;
  // A QvGeLineSeg3d over [fromParam, toParam], which must lie in the interval.
  QvGeCurve3d* getTrimmedCurve(double fromParam, double toParam) const override;

 protected:
  // unitParam: the parameter measures distance (lines and rays), so transformations keep the
  // parameter vector at unit length.
  QvGeLinearEnt3d(const QvGePoint3d& base, const QvGeVector3d& paramVector, bool unitParam);
  void setLinear(const QvGePoint3d& base, const QvGeVector3d& paramVector, bool valid);
  void negateParamVector() { paramVector_ = -paramVector_; }

 private:
  QvGePoint3d base_;
  QvGeVector3d paramVector_;
  bool unitParam_;
  bool valid_ = true;
};
