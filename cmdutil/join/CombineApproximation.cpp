// CombineHelper::approximateByPolyline: splines and ellipses as short straight segments.
#include <cmath>
#include <memory>
#include <vector>

#include "cmdutil/join/JoinPlane.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/ge/QvGePlane.h"
#include "xqcmdutil/CombineHelper.h"

namespace {

// The normal of the plane the curve lies in: its own plane, or the world XY plane for a
// straight curve (which must then lie level); false for a curve in no plane.
bool planeNormalOf(const QvDbCurve& curve, QvGeVector3d& normal) {
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (curve.getPlane(plane, planarity) != Vexa::eOk) return false;
  if (planarity == QvDb::kPlanar) {
    normal = plane.normal();
    return !normal.isZeroLength();
  }
  normal = QvGeVector3d::kZAxis;
  return planarity == QvDb::kLinear;
}

// The points of the approximation in world coordinates; false when the curve's length or
// extents make no step.
bool samplePoints(const QvDbCurve& curve, std::vector<QvGePoint3d>& points) {
  QvDbExtents extents;
  double startParam = 0.0, endParam = 0.0, startDist = 0.0, endDist = 0.0;
  QvGePoint3d start, end;
  if (curve.getGeomExtents(extents) != Vexa::eOk || curve.getStartParam(startParam) != Vexa::eOk ||
      curve.getEndParam(endParam) != Vexa::eOk ||
      curve.getDistAtParam(startParam, startDist) != Vexa::eOk ||
      curve.getDistAtParam(endParam, endDist) != Vexa::eOk ||
      curve.getStartPoint(start) != Vexa::eOk || curve.getEndPoint(end) != Vexa::eOk)
    return false;
  const double length = endDist - startDist;
  double step = extents.minPoint().distanceTo(extents.maxPoint()) / 40.0;
  if (!(length / 20.0 > step)) step = length / 20.0;
  if (!std::isfinite(length) || !std::isfinite(step)) return false;
  // Extents of no size around a curve of some length: the length decides.
  if (!(step > 0.0)) step = length / 20.0;

  points.push_back(start);
  if (length > 0.0) {
    // i x step, not a running sum: a sum stops growing once the step is below its rounding.
    for (double i = 0.0;; i += 1.0) {
      const double dist = i * step;
      if (!(dist < length)) break;
      QvGePoint3d point;
      if (curve.getPointAtDist(dist, point) == Vexa::eOk) points.push_back(point);
    }
  }
  points.push_back(end);
  return true;
}

}  // namespace

QvDbPolyline* CombineHelper::approximateByPolyline(const QvDbCurve* curve) {
  if (!curve || !(curve->isKindOf(QvDbSpline::desc()) || curve->isKindOf(QvDbEllipse::desc())))
    return nullptr;
  QvGeVector3d normal;
  std::vector<QvGePoint3d> points;
  if (!planeNormalOf(*curve, normal) || !samplePoints(*curve, points)) return nullptr;

  bool flipped = false;
  const JoinPlane plane(normal, flipped);
  const double elevation = plane.toPlane(points.front()).z;
  auto polyline = std::make_unique<QvDbPolyline>(static_cast<unsigned int>(points.size()));
  if (polyline->setNormal(plane.normal()) != Vexa::eOk ||
      polyline->setElevation(elevation) != Vexa::eOk)
    return nullptr;
  for (const QvGePoint3d& point : points) {
    const QvGePoint3d inPlane = plane.toPlane(point);
    // A point off the plane (a straight curve that climbs) has no place in the polyline.
    if (std::fabs(inPlane.z - elevation) > QvDbCurve::pointTolerance(point)) return nullptr;
    // Width 0, the default of a new polyline, given outright (see CombineHelper.cpp).
    if (polyline->addVertexAt(polyline->numVerts(), QvGePoint2d(inPlane.x, inPlane.y), 0.0, 0.0,
                              0.0) != Vexa::eOk)
      return nullptr;
  }
  return polyline.release();
}
