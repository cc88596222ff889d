#include "sdk/db/QvDbCurve.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/CurveFromGe.h"
#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/PlanarArea.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbCurve)

using qvdb_detail::GeCurveBuffer;

double QvDbCurve::pointTolerance(const QvGePoint3d& point) {
  return qvdb_detail::pointTolerance(point);
}

Vexa::ErrorStatus QvDbCurve::geometry(GeCurveBuffer& buffer, const QvGeCurve3d*& curve,
                                      QvGeInterval& interval) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  curve = geCurve(buffer);
  if (!curve) return Vexa::eInvalidInput;
  curve->getInterval(interval);
  return Vexa::eOk;
}

bool QvDbCurve::isClosed() const {
  assertReadEnabled();
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = geCurve(buffer);
  return curve && curve->isClosed();
}

bool QvDbCurve::isPeriodic() const {
  return false;
}

Vexa::ErrorStatus QvDbCurve::getStartParam(double& param) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  if (!interval.isBoundedBelow()) return Vexa::eNotApplicable;
  param = interval.lowerBound() * scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getEndParam(double& param) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  if (!interval.isBoundedAbove()) return Vexa::eNotApplicable;
  param = interval.upperBound() * scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getStartPoint(QvGePoint3d& point) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  if (!interval.isBoundedBelow()) return Vexa::eNotApplicable;
  point = curve->evalPoint(interval.lowerBound());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getEndPoint(QvGePoint3d& point) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  if (!interval.isBoundedAbove()) return Vexa::eNotApplicable;
  point = curve->evalPoint(interval.upperBound());
  return Vexa::eOk;
}

namespace {

// The geometry parameter of a curve parameter, when it lies in the interval.
bool toGeParam(const QvGeInterval& interval, double scale, double param, double& geParam) {
  if (!std::isfinite(param)) return false;
  geParam = param / scale;
  const double tol =
      qvdb_detail::paramTolerance(interval.isBoundedBelow() ? interval.lowerBound() : 0.0,
                                  interval.isBoundedAbove() ? interval.upperBound() : 0.0);
  if (interval.isBoundedBelow() && geParam < interval.lowerBound() - tol) return false;
  if (interval.isBoundedAbove() && geParam > interval.upperBound() + tol) return false;
  geParam = interval.clamp(geParam);
  return true;
}

}  // namespace

Vexa::ErrorStatus QvDbCurve::getPointAtParam(double param, QvGePoint3d& point) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  double t = 0.0;
  if (!toGeParam(interval, scale, param, t)) return Vexa::eInvalidInput;
  point = curve->evalPoint(t);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getParamAtPoint(const QvGePoint3d& point, double& param) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  double t = 0.0;
  const QvGePoint3d closest = curve->closestPointTo(point, t);
  if (closest.distanceTo(point) > pointTolerance(point)) return Vexa::eInvalidInput;
  param = t * scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getDistAtParam(double param, double& dist) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  double t = 0.0;
  if (!toGeParam(interval, scale, param, t)) return Vexa::eInvalidInput;
  // Unbounded below (an xline): the parameter is the signed distance itself.
  dist = interval.isBoundedBelow() ? curve->length(interval.lowerBound(), t) : t;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getParamAtDist(double dist, double& param) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  if (!std::isfinite(dist)) return Vexa::eInvalidInput;
  if (!interval.isBoundedBelow()) {
    param = dist * scale;
    return Vexa::eOk;
  }
  double t = 0.0;
  if (dist < 0.0) return Vexa::eInvalidInput;
  if (!curve->getParamAtLength(interval.lowerBound(), dist, true, t)) {
    // A distance a rounding beyond the end is the end.
    const double total = interval.isBoundedAbove() ? curve->length() : -1.0;
    if (total < 0.0 || dist > total * (1.0 + 1e-12) + 1e-12) return Vexa::eInvalidInput;
    t = interval.upperBound();
  }
  param = t * scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getDistAtPoint(const QvGePoint3d& point, double& dist) const {
  double param = 0.0;
  if (const Vexa::ErrorStatus es = getParamAtPoint(point, param); es != Vexa::eOk) return es;
  return getDistAtParam(param, dist);
}

Vexa::ErrorStatus QvDbCurve::getPointAtDist(double dist, QvGePoint3d& point) const {
  double param = 0.0;
  if (const Vexa::ErrorStatus es = getParamAtDist(dist, param); es != Vexa::eOk) return es;
  return getPointAtParam(param, point);
}

Vexa::ErrorStatus QvDbCurve::getFirstDeriv(double param, QvGeVector3d& firstDeriv) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  double t = 0.0;
  if (!toGeParam(interval, scale, param, t)) return Vexa::eInvalidInput;
  QvGePoint3d p;
  QvGeVector3d d;
  curve->evalDerivatives(t, 1, p, &d);
  firstDeriv = d / scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getFirstDeriv(const QvGePoint3d& point,
                                           QvGeVector3d& firstDeriv) const {
  double param = 0.0;
  if (const Vexa::ErrorStatus es = getParamAtPoint(point, param); es != Vexa::eOk) return es;
  return getFirstDeriv(param, firstDeriv);
}

Vexa::ErrorStatus QvDbCurve::getSecondDeriv(double param, QvGeVector3d& secondDeriv) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  double t = 0.0;
  if (!toGeParam(interval, scale, param, t)) return Vexa::eInvalidInput;
  QvGePoint3d p;
  QvGeVector3d d[2];
  curve->evalDerivatives(t, 2, p, d);
  secondDeriv = d[1] / (scale * scale);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getSecondDeriv(const QvGePoint3d& point,
                                            QvGeVector3d& secondDeriv) const {
  double param = 0.0;
  if (const Vexa::ErrorStatus es = getParamAtPoint(point, param); es != Vexa::eOk) return es;
  return getSecondDeriv(param, secondDeriv);
}

Vexa::ErrorStatus QvDbCurve::getClosestPointTo(const QvGePoint3d& givenPoint,
                                               QvGePoint3d& pointOnCurve, bool extend) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = geCurve(buffer, extend);
  if (!curve) return Vexa::eInvalidInput;
  pointOnCurve = curve->closestPointTo(givenPoint);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getClosestPointTo(const QvGePoint3d& givenPoint,
                                               const QvGeVector3d& direction,
                                               QvGePoint3d& pointOnCurve, bool extend) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (direction.isZeroLength()) return Vexa::eInvalidInput;
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = geCurve(buffer, extend);
  if (!curve) return Vexa::eInvalidInput;
  // Seen along the normal of a flat curve: the nearest point to the point's foot on its plane
  // (closed form for conics); along another direction, the geometry library's search.
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (subGetPlane(plane, planarity) == Vexa::eOk && planarity == QvDb::kPlanar &&
      direction.isParallelTo(plane.normal())) {
    pointOnCurve = curve->closestPointTo(plane.closestPointTo(givenPoint));
    return Vexa::eOk;
  }
  double param = 0.0;
  QvGePoint3d result;
  if (!curve->projClosestPointTo(givenPoint, direction, result, param)) return Vexa::eInvalidInput;
  pointOnCurve = result;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getOrthoProjectedCurve(const QvGePlane& plane,
                                                    QvDbCurve*& projCurve) const {
  return getProjectedCurve(plane, plane.normal(), projCurve);
}

Vexa::ErrorStatus QvDbCurve::getProjectedCurve(const QvGePlane& plane, const QvGeVector3d& projDir,
                                               QvDbCurve*& projCurve) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!plane.isValid() || projDir.isZeroLength()) return Vexa::eInvalidInput;
  std::unique_ptr<QvGeCurve3d> curve(newGeCurve(false));
  if (!curve) return Vexa::eInvalidInput;
  QvGeCurve3d* image = nullptr;
  Vexa::ErrorStatus es = curve->project(plane, projDir, image);
  if (es == Vexa::eNotApplicable) es = Vexa::eInvalidInput;  // a direction in the plane
  if (es != Vexa::eOk) return es;
  std::unique_ptr<QvGeCurve3d> owned(image);
  const QvGeVector3d sense = plane.normal();
  QvDbCurve* result = qvdb_detail::curveFromGe(*image, &sense);
  if (!result) return Vexa::eNotApplicable;
  result->setPropertiesFrom(this);
  projCurve = result;
  return Vexa::eOk;
}

bool QvDbCurve::adoptPieces(QvArray<QvDbCurve*>& pieces, QvArray<QvDbEntity*>& out) const {
  bool complete = true;
  for (int i = 0; i < pieces.length(); ++i) complete = complete && pieces[i] != nullptr;
  if (!complete) {
    for (int i = 0; i < pieces.length(); ++i) delete pieces[i];
    pieces.removeAll();
    return false;
  }
  for (int i = 0; i < pieces.length(); ++i) {
    pieces[i]->setPropertiesFrom(this);
    out.append(pieces[i]);
  }
  pieces.removeAll();
  return true;
}

Vexa::ErrorStatus QvDbCurve::getSplitCurves(const QvGeDoubleArray& params,
                                            QvArray<QvDbEntity*>& curveSegments) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  const double scale = paramScale();
  if (params.isEmpty()) return Vexa::eInvalidInput;
  QvGeDoubleArray geParams;
  for (int i = 0; i < params.length(); ++i) {
    double t = 0.0;
    if (!toGeParam(interval, scale, params[i], t)) return Vexa::eInvalidInput;
    geParams.append(t);
  }
  QvArray<QvGeCurve3d*> pieces;
  if (const Vexa::ErrorStatus es = curve->getSplitCurves(geParams, pieces); es != Vexa::eOk)
    return es;
  QvGeVector3d sense;
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  const bool planar = subGetPlane(plane, planarity) == Vexa::eOk && planarity == QvDb::kPlanar;
  if (planar) sense = plane.normal();
  QvArray<QvDbCurve*> curves;
  for (int i = 0; i < pieces.length(); ++i) {
    curves.append(qvdb_detail::curveFromGe(*pieces[i], planar ? &sense : nullptr));
    delete pieces[i];
  }
  return adoptPieces(curves, curveSegments) ? Vexa::eOk : Vexa::eInvalidInput;
}

Vexa::ErrorStatus QvDbCurve::getSplitCurves(const QvGePoint3dArray& points,
                                            QvArray<QvDbEntity*>& curveSegments) const {
  if (points.isEmpty()) return Vexa::eInvalidInput;
  QvGeDoubleArray params;
  for (int i = 0; i < points.length(); ++i) {
    double param = 0.0;
    if (const Vexa::ErrorStatus es = getParamAtPoint(points[i], param); es != Vexa::eOk) return es;
    params.append(param);
  }
  return getSplitCurves(params, curveSegments);
}

Vexa::ErrorStatus QvDbCurve::extend(double) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbCurve::extend(bool, const QvGePoint3d&) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbCurve::getArea(double& area) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  if (const Vexa::ErrorStatus es = geometry(buffer, curve, interval); es != Vexa::eOk) return es;
  if (!interval.isBounded()) return Vexa::eNotApplicable;
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (subGetPlane(plane, planarity) != Vexa::eOk || planarity == QvDb::kNonPlanar)
    return Vexa::eNotApplicable;
  area = planarity == QvDb::kLinear ? 0.0 : std::fabs(qvdb_detail::planarArea(*curve, plane));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::reverseCurve() {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbCurve::getGeCurve(QvGeCurve3d*& curve, bool unbounded) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  QvGeCurve3d* made = newGeCurve(unbounded);
  if (!made) return Vexa::eInvalidInput;
  curve = made;
  return Vexa::eOk;
}

const QvGeCurve3d* QvDbCurve::geCurve(GeCurveBuffer&, bool) const {
  return nullptr;
}

QvGeCurve3d* QvDbCurve::newGeCurve(bool unbounded) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = geCurve(buffer, unbounded);
  return curve ? curve->copy() : nullptr;
}

Vexa::ErrorStatus QvDbCurve::subGetGeomExtents(QvDbExtents& extents) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = geCurve(buffer);
  if (!curve) return Vexa::eInvalidExtents;
  QvGeInterval interval;
  curve->getInterval(interval);
  if (!interval.isBounded()) return Vexa::eInvalidExtents;
  const QvGeBoundBlock3d box = curve->orthoBoundBlock();
  extents.set(box.minPoint(), box.maxPoint());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = geCurve(buffer);
  if (!curve) return Vexa::eInvalidInput;
  if (curve->isKindOf(QvGe::kLinearEnt3d)) {
    const auto* line = static_cast<const QvGeLinearEnt3d*>(curve);
    plane.set(line->pointOnLine(), line->direction().perpVector());
    planarity = QvDb::kLinear;
    return Vexa::eOk;
  }
  if (curve->isKindOf(QvGe::kCircArc3d)) {
    const auto* arc = static_cast<const QvGeCircArc3d*>(curve);
    plane.set(arc->center(), arc->normal());
    planarity = QvDb::kPlanar;
    return Vexa::eOk;
  }
  if (curve->isKindOf(QvGe::kEllipArc3d)) {
    const auto* arc = static_cast<const QvGeEllipArc3d*>(curve);
    plane.set(arc->center(), arc->normal());
    planarity = QvDb::kPlanar;
    return Vexa::eOk;
  }
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbCurve::subGetOutlineCurves(bool extended,
                                                 QvArray<QvGeCurve3d*>& curves) const {
  QvGeCurve3d* curve = newGeCurve(extended);
  if (!curve) return Vexa::eInvalidInput;
  curves.append(curve);
  return Vexa::eOk;
}
