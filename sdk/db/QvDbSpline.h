#pragma once

#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGeNurbCurve3d.h"

// A spline: a NURBS curve (degree, knots, control points, weights when rational, periodic or
// not), optionally with the fit points and end tangents it was interpolated through. Its
// parameter is the NURBS parameter. Changing the NURBS data drops the fit data; changing the
// fit data makes the curve again.
class QvDbSpline : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbSpline);

  QvDbSpline() = default;
  // Through fit points (see setFitData); an invalid request leaves the default curve.
  QvDbSpline(const QvGePoint3dArray& fitPoints, int degree = 3, double fitTolerance = 0.0,
             const QvGeVector3d& startTangent = QvGeVector3d(),
             const QvGeVector3d& endTangent = QvGeVector3d());
  // From NURBS data (see setNurbsData).
  QvDbSpline(int degree, bool rational, bool closed, bool periodic,
             const QvGePoint3dArray& controlPoints, const QvGeDoubleArray& knots,
             const QvGeDoubleArray& weights);

  // NURBS data. eInvalidInput (unchanged) for data that make no curve; `closed` asks for the
  // last control point to equal the first and is refused otherwise.
  Vexa::ErrorStatus setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                 const QvGePoint3dArray& controlPoints,
                                 const QvGeDoubleArray& knots, const QvGeDoubleArray& weights);
  Vexa::ErrorStatus getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                 QvGePoint3dArray& controlPoints, QvGeDoubleArray& knots,
                                 QvGeDoubleArray& weights) const;
  int degree() const;
  bool isRational() const;
  int numControlPoints() const;
  Vexa::ErrorStatus getControlPointAt(int index, QvGePoint3d& point) const;  // eInvalidIndex
  Vexa::ErrorStatus setControlPointAt(int index, const QvGePoint3d& point);
  double weightAt(int index) const;

  // Fit data. Tangents give directions only (zero: a free end). eInvalidInput for fewer than
  // two points, repeated consecutive points or a degree outside [1, 25].
  Vexa::ErrorStatus setFitData(const QvGePoint3dArray& fitPoints, int degree = 3,
                               double fitTolerance = 0.0,
                               const QvGeVector3d& startTangent = QvGeVector3d(),
                               const QvGeVector3d& endTangent = QvGeVector3d());
  bool hasFitData() const;
  int numFitPoints() const;
  Vexa::ErrorStatus getFitPointAt(int index, QvGePoint3d& point) const;  // eInvalidIndex
  Vexa::ErrorStatus setFitPointAt(int index, const QvGePoint3d& point);
  Vexa::ErrorStatus getFitTangents(QvGeVector3d& startTangent, QvGeVector3d& endTangent) const;
  double fitTolerance() const;
  Vexa::ErrorStatus purgeFitData();

  // The NURBS curve itself.
  const QvGeNurbCurve3d& nurbCurve() const;
  // Takes a NURBS curve (with its fit data, if it has any); eInvalidInput for an invalid one.
  Vexa::ErrorStatus setNurbCurve(const QvGeNurbCurve3d& curve);

  bool isPeriodic() const override;
  // Splines do not grow: both forms answer eNotApplicable.
  Vexa::ErrorStatus extend(double newParam) override;
  Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint) override;
  Vexa::ErrorStatus reverseCurve() override;

 protected:
  const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                             bool unbounded = false) const override;
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // The plane of the control points (kNonPlanar when they are not in one).
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  // The fit points when it has them, else the control points.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  QvDbImpObject* createImpObject() override;

 private:
  QvGeNurbCurve3d curve_;
  double fitTolerance_ = 0.0;
};
