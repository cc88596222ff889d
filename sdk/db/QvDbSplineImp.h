#pragma once

#include "sdk/db/QvDbImpObject.h"
#include "sdk/ge/QvGeNurbCurve3d.h"

class QvDbSpline;

// The implementation object of a spline: its NURBS curve as the host keeps it.
class QvDbSplineImp : public QvDbImpObject {
 public:
  explicit QvDbSplineImp(QvDbSpline* spline);

  // The spline's curve (the spline must be readable).
  const QvGeNurbCurve3d& nurbCurve() const;
  Vexa::ErrorStatus getNurbCurve(QvGeNurbCurve3d& curve) const;
  // Replaces the spline's curve (the spline must be open for write).
  Vexa::ErrorStatus setNurbCurve3d(const QvGeNurbCurve3d& curve);

 private:
  QvDbSpline* spline_;
};
