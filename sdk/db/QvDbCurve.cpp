#include "sdk/db/QvDbCurve.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/CurveFromGe.h"
#include "sdk/db/detail/CurveGeometry.h"
#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/PlanarArea.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbCurve)

using qvdb_detail::CurveGeometry;
using qvdb_detail::GeCurveBuffer;

double QvDbCurve::pointTolerance(const QvGePoint3d& point) {
  return qvdb_detail::pointTolerance(point);
}

Vexa::ErrorStatus QvDbCurve::geometry(CurveGeometry& geo) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  geo.curve = geCurve(geo.buffer);
  if (!geo.curve) return Vexa::eInvalidInput;
  geo.curve->getInterval(geo.interval);
  geo.scale = paramScale();
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
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  if (!geo.interval.isBoundedBelow()) return Vexa::eNotApplicable;
  param = geo.interval.lowerBound() * geo.scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getEndParam(double& param) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  if (!geo.interval.isBoundedAbove()) return Vexa::eNotApplicable;
  param = geo.interval.upperBound() * geo.scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getStartPoint(QvGePoint3d& point) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  if (!geo.interval.isBoundedBelow()) return Vexa::eNotApplicable;
  point = geo.curve->evalPoint(geo.interval.lowerBound());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getEndPoint(QvGePoint3d& point) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  if (!geo.interval.isBoundedAbove()) return Vexa::eNotApplicable;
  point = geo.curve->evalPoint(geo.interval.upperBound());
  return Vexa::eOk;
}

namespace qvdb_detail {

bool CurveGeometry::toGeParam(double param, double& geParam) const {
  if (!std::isfinite(param)) return false;
  geParam = param / scale;
  const double tol = paramTolerance(interval.isBoundedBelow() ? interval.lowerBound() : 0.0,
                                    interval.isBoundedAbove() ? interval.upperBound() : 0.0);
  if (interval.isBoundedBelow() && geParam < interval.lowerBound() - tol) return false;
  if (interval.isBoundedAbove() && geParam > interval.upperBound() + tol) return false;
  geParam = interval.clamp(geParam);
  return true;
}

}  // namespace qvdb_detail

Vexa::ErrorStatus QvDbCurve::getPointAtParam(double param, QvGePoint3d& point) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  double t = 0.0;
  if (!geo.toGeParam(param, t)) return Vexa::eInvalidInput;
  point = geo.curve->evalPoint(t);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getParamAtPoint(const QvGePoint3d& point, double& param) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  double t = 0.0;
  const QvGePoint3d closest = geo.curve->closestPointTo(point, t);
  if (closest.distanceTo(point) > pointTolerance(point)) return Vexa::eInvalidInput;
  param = t * geo.scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getDistAtParam(double param, double& dist) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  double t = 0.0;
  if (!geo.toGeParam(param, t)) return Vexa::eInvalidInput;
  // Unbounded below (an xline): the parameter is the signed distance itself.
  dist = geo.interval.isBoundedBelow() ? geo.curve->length(geo.interval.lowerBound(), t) : t;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getParamAtDist(double dist, double& param) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  if (!std::isfinite(dist)) return Vexa::eInvalidInput;
  if (!geo.interval.isBoundedBelow()) {
    param = dist * geo.scale;
    return Vexa::eOk;
  }
  double t = 0.0;
  if (dist < 0.0) return Vexa::eInvalidInput;
  if (!geo.curve->getParamAtLength(geo.interval.lowerBound(), dist, true, t)) {
    // A distance a rounding beyond the end is the end.
    const double total = geo.interval.isBoundedAbove() ? geo.curve->length() : -1.0;
    constexpr double kSlack = QvGePrecision::kRoundoff;
    if (total < 0.0 || dist > total * (1.0 + kSlack) + kSlack) return Vexa::eInvalidInput;
    t = geo.interval.upperBound();
  }
  param = t * geo.scale;
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
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  double t = 0.0;
  if (!geo.toGeParam(param, t)) return Vexa::eInvalidInput;
  QvGePoint3d p;
  QvGeVector3d d;
  geo.curve->evalDerivatives(t, 1, p, &d);
  firstDeriv = d / geo.scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCurve::getFirstDeriv(const QvGePoint3d& point,
                                           QvGeVector3d& firstDeriv) const {
  double param = 0.0;
  if (const Vexa::ErrorStatus es = getParamAtPoint(point, param); es != Vexa::eOk) return es;
  return getFirstDeriv(param, firstDeriv);
}

Vexa::ErrorStatus QvDbCurve::getSecondDeriv(double param, QvGeVector3d& secondDeriv) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  double t = 0.0;
  if (!geo.toGeParam(param, t)) return Vexa::eInvalidInput;
  QvGePoint3d p;
  QvGeVector3d d[2];
  geo.curve->evalDerivatives(t, 2, p, d);
  secondDeriv = d[1] / (geo.scale * geo.scale);
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

namespace {

// A closed curve cut at parameters (its start counts as a cut at the seam): one piece from
// each cut to the next, the last running through the seam; one cut gives the whole turn
// from there.
Vexa::ErrorStatus splitClosed(const QvGeCurve3d& curve, const QvGeInterval& interval,
                              const QvGeDoubleArray& params, QvArray<QvGeCurve3d*>& pieces) {
  const double lo = interval.lowerBound(), period = interval.length();
  const double tol = qvdb_detail::paramTolerance(lo, interval.upperBound());
  std::vector<double> cuts;
  for (int i = 0; i < params.length(); ++i)
    cuts.push_back(params[i] >= interval.upperBound() - tol ? lo : params[i]);
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(
      std::unique(cuts.begin(), cuts.end(), [tol](double a, double b) { return b - a <= tol; }),
      cuts.end());
  QvArray<QvGeCurve3d*> made;
  for (size_t i = 0; i < cuts.size(); ++i) {
    const double to = i + 1 < cuts.size() ? cuts[i + 1] : cuts[0] + period;
    QvGeCurve3d* piece = curve.getTrimmedCurve(cuts[i], to);
    if (!piece) {
      for (int k = 0; k < made.length(); ++k) delete made[k];
      return Vexa::eInvalidInput;
    }
    made.append(piece);
  }
  for (int k = 0; k < made.length(); ++k) pieces.append(made[k]);
  return Vexa::eOk;
}

}  // namespace

Vexa::ErrorStatus QvDbCurve::getSplitCurves(const QvGeDoubleArray& params,
                                            QvArray<QvDbEntity*>& curveSegments) const {
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  if (params.isEmpty()) return Vexa::eInvalidInput;
  QvGeDoubleArray geParams;
  for (int i = 0; i < params.length(); ++i) {
    double t = 0.0;
    if (!geo.toGeParam(params[i], t)) return Vexa::eInvalidInput;
    geParams.append(t);
  }
  QvArray<QvGeCurve3d*> pieces;
  if (geo.interval.isBounded() && geo.curve->isClosed()) {
    if (const Vexa::ErrorStatus es = splitClosed(*geo.curve, geo.interval, geParams, pieces);
        es != Vexa::eOk)
      return es;
  } else if (const Vexa::ErrorStatus es = geo.curve->getSplitCurves(geParams, pieces);
             es != Vexa::eOk) {
    return es;
  }
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
  CurveGeometry geo;
  if (const Vexa::ErrorStatus es = geometry(geo); es != Vexa::eOk) return es;
  if (!geo.interval.isBounded()) return Vexa::eNotApplicable;
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (subGetPlane(plane, planarity) != Vexa::eOk || planarity == QvDb::kNonPlanar)
    return Vexa::eNotApplicable;
  area = planarity == QvDb::kLinear ? 0.0 : std::fabs(qvdb_detail::planarArea(*geo.curve, plane));
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
