#include "sdk/ge/QvGeNurbCurve2d.h"

#include "sdk/ge/detail/ConicCurve.h"
#include "sdk/ge/detail/Finite.h"

QvGeNurbCurve2d::QvGeNurbCurve2d() = default;

QvGeNurbCurve2d::QvGeNurbCurve2d(int degree, const QvGeDoubleArray& knots,
                                 const QvGePoint2dArray& ctrlPts, const QvGeDoubleArray& weights,
                                 bool isPeriodic) {
  if (set(degree, knots, ctrlPts, weights, isPeriodic) != Vexa::eOk) invalidate();
}

QvGeNurbCurve2d::QvGeNurbCurve2d(const QvGePoint2dArray& fitPoints, int degree,
                                 const QvGeVector2d& startTangent, const QvGeVector2d& endTangent) {
  if (setFitData(fitPoints, degree, startTangent, endTangent) != Vexa::eOk) invalidate();
}

Vexa::ErrorStatus QvGeNurbCurve2d::transformBy(const QvGeMatrix2d& m) {
  if (!qvge_detail::isFinite(m)) return Vexa::eInvalidInput;
  if (m.entry[2][0] != 0.0 || m.entry[2][1] != 0.0 || m.entry[2][2] != 1.0)
    return Vexa::eNotApplicable;
  mapAll(qvge_detail::PointMap<QvGeMatrix2d>{m}, qvge_detail::VectorMap<QvGeMatrix2d>{m});
  return Vexa::eOk;
}
