#include "cmdutil/geometry/QvDbSplineInternalPE.h"

#include <cmath>
#include <memory>

#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbSplineImp.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbSplineInternalPE, L"QvDbCurveInternalPE")

namespace {

QvDbSplineImp* splineImp(const QvDbSpline& spline) {
  return dynamic_cast<QvDbSplineImp*>(QvDbSystemInternals::getImpObject(&spline));
}

double nurbsLength(const QvGeNurbCurve3d& curve) {
  QvGeInterval interval;
  curve.getInterval(interval);
  return std::fabs(curve.length(interval.lowerBound(), interval.upperBound()));
}

}  // namespace

Vexa::ErrorStatus QvDbSplineInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  length = 0.0;
  const QvDbSpline* spline = QvDbSpline::cast(entity);
  if (!spline) return Vexa::eNotApplicable;
  const QvDbSplineImp* imp = splineImp(*spline);
  if (!imp) return Vexa::eInvalidInput;
  length = nurbsLength(imp->nurbCurve());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSplineInternalPE::setEntityLength(QvDbEntity* entity, double newLength,
                                                        const QvGePoint3d& pickPoint) {
  QvDbSpline* spline = QvDbSpline::cast(entity);
  if (!spline) return Vexa::eNotApplicable;
  QvDbSplineImp* imp = splineImp(*spline);
  if (!imp || spline->isClosed() || !std::isfinite(newLength) || newLength <= 0.0)
    return Vexa::eInvalidInput;
  if (!spline->isWriteEnabled()) return Vexa::eNotOpenForWrite;
  const QvGeNurbCurve3d& curve = imp->nurbCurve();
  QvGeInterval interval;
  curve.getInterval(interval);
  const double lower = interval.lowerBound(), upper = interval.upperBound();
  const double length = std::fabs(curve.length(lower, upper));
  const double slack = 1e-12 * length;
  if (newLength > length + slack) return Vexa::eInvalidInput;
  if (newLength >= length - slack) return Vexa::eOk;

  // The side is chosen by the distance along the curve to the point nearest the pick.
  double pickParam = lower;
  curve.closestPointTo(pickPoint, pickParam);
  const bool startMeant = curve.length(lower, pickParam) < length / 2.0;
  double cut = 0.0;
  if (!curve.getParamAtLength(startMeant ? upper : lower, newLength, !startMeant, cut))
    return Vexa::eInvalidInput;
  QvGeCurve3d* first = nullptr;
  QvGeCurve3d* second = nullptr;
  if (curve.getSplitCurves(cut, first, second) != Vexa::eOk) return Vexa::eInvalidInput;
  std::unique_ptr<QvGeCurve3d> before(first), after(second);
  const auto* kept = dynamic_cast<const QvGeNurbCurve3d*>(startMeant ? after.get() : before.get());
  if (!kept) return Vexa::eInvalidInput;
  return imp->setNurbCurve3d(*kept);
}
