#pragma once

#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeBoundBlock3d.h"
#include "sdk/ge/QvGeEntity3d.h"
#include "sdk/ge/QvGeInterval.h"

class QvGePlane;

// Root of the 3D curves: a point function of one parameter over an interval.
//
// Parameters. evalPoint works on the curve's natural carrier at any parameter: lines run on,
// conics go round, a NURBS curve continues its end spans, polylines and composites continue
// their end pieces. The checked evaluate() refuses parameters outside the interval instead.
// Queries that measure along the curve (length, paramAtLength) clamp their parameters to the
// interval; an unbounded side counts as +-1e10 there.
//
// Tolerance. isOn compares the computed closest point no finer than 64 units in the last place
// of the point's largest coordinate (at 1e6, about 1.4e-8), where round-off alone exceeds a
// fine absolute tolerance.
//
// Ownership. Every operation that makes curves (copy, getTrimmedCurve, getSplitCurves,
// project) returns new objects that the caller deletes.
class QvGeCurve3d : public QvGeEntity3d {
 public:
  // Derivatives available from evalPoint / evaluate.
  static constexpr int kDim = 3;
  static constexpr int kMaxDerivatives = 3;
  // Length tolerance used when none is given (relative to the length measured).
  static constexpr double kDefaultLengthTol = 1e-10;

  QvGeCurve3d* copy() const override = 0;

  // --- Parameter range and ends ---
  virtual void getInterval(QvGeInterval& interval) const = 0;
  // Also the points at the two bounds (unbounded sides leave the point untouched).
  void getInterval(QvGeInterval& interval, QvGePoint3d& start, QvGePoint3d& end) const;
  // False, with p untouched, when the curve is unbounded at that end.
  bool hasStartPoint(QvGePoint3d& p) const;
  bool hasEndPoint(QvGePoint3d& p) const;
  // Bounded at both ends (lines and rays are not).
  bool isBounded() const;
  // Bounded at both ends, with start and end points equal within tol.
  virtual bool isClosed(const QvGeTol& tol = QvGeContext::gTol) const;
  // True with the period for curves whose carrier repeats (circles, ellipses, periodic NURBS).
  virtual bool isPeriodic(double& period) const;
  // Parameters inside the interval where the curve's smoothness may break (NURBS knots,
  // polyline vertices, the joints of a composite), ascending. Sampling and quadrature work
  // piece by piece between them. None by default.
  virtual void getBreakParams(QvGeDoubleArray& params) const;

  // --- Evaluation ---
  virtual QvGePoint3d evalPoint(double param) const = 0;
  // The point and its first numDeriv derivatives (0 <= numDeriv <= kMaxDerivatives) written to
  // derivs[0..numDeriv-1]. Allocation-free; numDeriv outside the range evaluates the point only.
  virtual void evalDerivatives(double param, int numDeriv, QvGePoint3d& point,
                               QvGeVector3d* derivs) const = 0;
  // The same into an array (set to numDeriv elements).
  QvGePoint3d evalPoint(double param, int numDeriv, QvGeVector3dArray& derivs) const;
  // Checked evaluation: eInvalidInput for numDeriv outside [0, kMaxDerivatives], eOutOfRange
  // for a parameter outside the interval (beyond its tolerance) or not finite, eDegenerateGeometry
  // for an invalid curve. Outputs are written on success only.
  Vexa::ErrorStatus evaluate(double param, int numDeriv, QvGePoint3d& point,
                             QvGeVector3dArray& derivs) const;

  // --- Points and parameters ---
  // The point of the curve (within its interval) nearest p, and its parameter.
  virtual QvGePoint3d closestPointTo(const QvGePoint3d& p, double& param,
                                     const QvGeTol& tol = QvGeContext::gTol) const;
  QvGePoint3d closestPointTo(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  // The point of the curve nearest the line through p along direction, that is the closest
  // point when curve and p are seen projected along direction. False (outputs untouched) for
  // a zero direction or an invalid curve.
  virtual bool projClosestPointTo(const QvGePoint3d& p, const QvGeVector3d& direction,
                                  QvGePoint3d& result, double& param,
                                  const QvGeTol& tol = QvGeContext::gTol) const;
  // Parameter of the closest point. For a point on the curve that is its own parameter.
  double paramOf(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  double distanceTo(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isOn(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  // Also the parameter of the point when it is on the curve.
  bool isOn(const QvGePoint3d& p, double& param, const QvGeTol& tol = QvGeContext::gTol) const;

  // --- Length ---
  // Length between two parameters (either order), clamped to the interval; tol is relative.
  virtual double length(double fromParam, double toParam, double tol = kDefaultLengthTol) const;
  double length() const;  // over the whole (bounded) interval
  // The parameter at arc length `length` from datumParam, forwards or backwards. False (param
  // untouched) when the length is negative, not finite, or runs past the end of the interval,
  // or the datum is NaN.
  virtual bool getParamAtLength(double datumParam, double length, bool posParamDir, double& param,
                                double tol = kDefaultLengthTol) const;
  // Unchecked form: lengths past the end give the end's parameter.
  double paramAtLength(double datumParam, double length, bool posParamDir = true,
                       double tol = kDefaultLengthTol) const;

  // --- Approximation ---
  // Points along [fromParam, toParam] (clamped to the interval) such that the chords stay
  // within approxEps of the curve, with their parameters; both ends are included. approxEps
  // 0.0 asks for the library's density: chords within 1/2000 of the curve's size and turning
  // at most 5 degrees each. A NaN bound appends nothing.
  virtual void getSamplePoints(double fromParam, double toParam, double approxEps,
                               QvGePoint3dArray& points, QvGeDoubleArray& params) const;
  void getSamplePoints(double fromParam, double toParam, double approxEps,
                       QvGePoint3dArray& points) const;
  // numSample >= 2 points at equal parameter steps over the interval.
  void getSamplePoints(int numSample, QvGePoint3dArray& points) const;

  // --- Boxes ---
  // Axis-aligned block of the curve over a parameter range (clamped to the interval); exact for
  // lines, conics and polylines, the control hull for NURBS curves.
  virtual QvGeBoundBlock3d orthoBoundBlock(const QvGeInterval& range) const = 0;
  QvGeBoundBlock3d orthoBoundBlock() const;

  // --- Changes and new curves ---
  // Reverses the direction; the interval becomes [-upper, -lower] unless the kind documents
  // otherwise.
  virtual void reverseParam() = 0;
  // A new curve of the same kind (a segment for lines and rays) over [fromParam, toParam]: a
  // sub-range of the interval, or for a closed curve a range across its seam of at most one
  // interval length. Null when the range is empty, outside, or the curve invalid.
  virtual QvGeCurve3d* getTrimmedCurve(double fromParam, double toParam) const = 0;
  // Splits at the given parameters (any order; those outside the open interval or equal
  // within the interval's tolerance are ignored). An open curve gives n + 1 pieces for n
  // parameters; a closed periodic curve (full circle, ellipse) gives n pieces that start at
  // the parameters, and one piece for one parameter. eInvalidInput for an invalid curve;
  // pieces are appended to `pieces` only on success.
  virtual Vexa::ErrorStatus getSplitCurves(const QvGeDoubleArray& params,
                                           QvArray<QvGeCurve3d*>& pieces) const;
  // Split at one parameter into the piece before and the piece after.
  Vexa::ErrorStatus getSplitCurves(double param, QvGeCurve3d*& piece1, QvGeCurve3d*& piece2) const;
  // The curve projected onto the plane along direction (a parallel projection, so lines stay
  // lines and conics stay conics). eInvalidInput for a zero direction or invalid plane,
  // eNotApplicable when the direction lies in the plane, eDegenerateGeometry when the image
  // collapses to a point.
  virtual Vexa::ErrorStatus project(const QvGePlane& plane, const QvGeVector3d& direction,
                                    QvGeCurve3d*& result) const = 0;
  // Projection along the plane's normal.
  Vexa::ErrorStatus orthoProject(const QvGePlane& plane, QvGeCurve3d*& result) const;
};
