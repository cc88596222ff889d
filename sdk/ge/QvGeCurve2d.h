#pragma once

#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeEntity2d.h"
#include "sdk/ge/QvGeExtents2d.h"
#include "sdk/ge/QvGeInterval.h"

// Root of the 2D curves (hatch loop edges). The same contract as QvGeCurve3d, in the plane;
// the two share their algorithms.
class QvGeCurve2d : public QvGeEntity2d {
 public:
  static constexpr int kDim = 2;
  static constexpr int kMaxDerivatives = 3;
  static constexpr double kDefaultLengthTol = 1e-10;

  QvGeCurve2d* copy() const override = 0;

  virtual void getInterval(QvGeInterval& interval) const = 0;
  void getInterval(QvGeInterval& interval, QvGePoint2d& start, QvGePoint2d& end) const;
  bool hasStartPoint(QvGePoint2d& p) const;
  bool hasEndPoint(QvGePoint2d& p) const;
  // Bounded at both ends.
  bool isBounded() const;
  virtual bool isClosed(const QvGeTol& tol = QvGeContext::gTol) const;
  virtual bool isPeriodic(double& period) const;
  // Parameters inside the interval where the curve's smoothness may break (NURBS knots,
  // polyline vertices, the joints of a composite), ascending. Sampling and quadrature work
  // piece by piece between them. None by default.
  virtual void getBreakParams(QvGeDoubleArray& params) const;

  virtual QvGePoint2d evalPoint(double param) const = 0;
  virtual void evalDerivatives(double param, int numDeriv, QvGePoint2d& point,
                               QvGeVector2d* derivs) const = 0;
  QvGePoint2d evalPoint(double param, int numDeriv, QvGeVector2dArray& derivs) const;
  Vexa::ErrorStatus evaluate(double param, int numDeriv, QvGePoint2d& point,
                             QvGeVector2dArray& derivs) const;

  virtual QvGePoint2d closestPointTo(const QvGePoint2d& p, double& param,
                                     const QvGeTol& tol = QvGeContext::gTol) const;
  QvGePoint2d closestPointTo(const QvGePoint2d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  double paramOf(const QvGePoint2d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  double distanceTo(const QvGePoint2d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isOn(const QvGePoint2d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isOn(const QvGePoint2d& p, double& param, const QvGeTol& tol = QvGeContext::gTol) const;

  virtual double length(double fromParam, double toParam, double tol = kDefaultLengthTol) const;
  double length() const;
  virtual bool getParamAtLength(double datumParam, double length, bool posParamDir, double& param,
                                double tol = kDefaultLengthTol) const;
  double paramAtLength(double datumParam, double length, bool posParamDir = true,
                       double tol = kDefaultLengthTol) const;

  virtual void getSamplePoints(double fromParam, double toParam, double approxEps,
                               QvGePoint2dArray& points, QvGeDoubleArray& params) const;
  void getSamplePoints(double fromParam, double toParam, double approxEps,
                       QvGePoint2dArray& points) const;
  void getSamplePoints(int numSample, QvGePoint2dArray& points) const;

  virtual QvGeExtents2d boundBlock(const QvGeInterval& range) const = 0;
  QvGeExtents2d boundBlock() const;

  virtual void reverseParam() = 0;
  virtual QvGeCurve2d* getTrimmedCurve(double fromParam, double toParam) const = 0;
  virtual Vexa::ErrorStatus getSplitCurves(const QvGeDoubleArray& params,
                                           QvArray<QvGeCurve2d*>& pieces) const;
  Vexa::ErrorStatus getSplitCurves(double param, QvGeCurve2d*& piece1, QvGeCurve2d*& piece2) const;
};
