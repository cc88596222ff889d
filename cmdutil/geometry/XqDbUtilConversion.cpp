// XqDbUtil::asQvGeCurve: the geometry of an entity as a geometry curve.
#include <memory>

#include "cmdutil/geometry/XqVertexWalk.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbRasterImage.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTextImp.h"
#include "sdk/db/QvDbToQvGe.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/db/QvDbWipeout.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// The curve of one kind of entity; the entity is of that kind (or derived from it).
using EntityCurve = QvGeCurve3d* (*)(const QvDbEntity& entity, bool unbounded);

// A polyline through the points and back to the first; null without points.
QvGeCurve3d* closedPolyline(QvGePoint3dArray points) {
  if (points.isEmpty()) return nullptr;
  points.append(points.first());
  return new QvGePolyline3d(points);
}

// The outline of a box given by its bounding points p0 (top left), p1 (top right), p2 (bottom
// left) and p3 (bottom right): p0, p1, p3, p2 and p0 again. Null unless there are four.
QvGeCurve3d* boxOutline(const QvGePoint3dArray& p) {
  if (p.length() != 4) return nullptr;
  return closedPolyline({p[0], p[1], p[3], p[2]});
}

// The entity's grip points, in its own order; empty when it has none.
QvGePoint3dArray gripPointsOf(const QvDbEntity& entity) {
  QvGePoint3dArray points;
  QvDbIntArray osnapModes;
  QvDbIntArray geomIds;
  if (entity.getGripPoints(points, osnapModes, geomIds) != Vexa::eOk) points.removeAll();
  return points;
}

QvGeCurve3d* lineCurve(const QvDbEntity& entity, bool unbounded) {
  const auto& line = static_cast<const QvDbLine&>(entity);
  if (unbounded) return new QvGeLine3d(line.startPoint(), line.endPoint());
  return new QvGeLineSeg3d(line.startPoint(), line.endPoint());
}

QvGeCurve3d* circleCurve(const QvDbEntity& entity, bool) {
  const auto& circle = static_cast<const QvDbCircle&>(entity);
  return new QvGeCircArc3d(circle.center(), circle.normal(), circle.radius());
}

// Bounded: the angles are the arc's parameters, measured from the reference vector found by
// turning the start point's direction back by the start parameter.
QvGeCurve3d* arcCurve(const QvDbEntity& entity, bool unbounded) {
  const auto& arc = static_cast<const QvDbArc&>(entity);
  const QvGePoint3d center = arc.center();
  const QvGeVector3d normal = arc.normal();
  if (unbounded) return new QvGeCircArc3d(center, normal, arc.radius());
  double startParam = 0.0;
  double endParam = 0.0;
  QvGePoint3d startPoint;
  if (arc.getStartParam(startParam) != Vexa::eOk || arc.getEndParam(endParam) != Vexa::eOk ||
      arc.getStartPoint(startPoint) != Vexa::eOk)
    return nullptr;
  QvGeVector3d refVec = startPoint - center;
  refVec.rotateBy(-startParam, normal);
  return new QvGeCircArc3d(center, normal, refVec.normal(), arc.radius(), startParam, endParam);
}

QvGeCurve3d* ellipseCurve(const QvDbEntity& entity, bool unbounded) {
  const auto& ellipse = static_cast<const QvDbEllipse&>(entity);
  const QvGeVector3d majorAxis = ellipse.majorAxis();
  const QvGeVector3d minorAxis = ellipse.minorAxis();
  if (unbounded)
    return new QvGeEllipArc3d(ellipse.center(), majorAxis, minorAxis, majorAxis.length(),
                              minorAxis.length());
  const double start = ellipse.paramAtAngle(ellipse.startAngle());
  // The two angles of a whole ellipse are one: it makes the full turn from its start.
  const double end =
      ellipse.isClosed() ? start + QvGe::k2Pi : ellipse.paramAtAngle(ellipse.endAngle());
  return new QvGeEllipArc3d(ellipse.center(), majorAxis, minorAxis, majorAxis.length(),
                            minorAxis.length(), start, end);
}

QvGeCurve3d* splineCurve(const QvDbEntity& entity, bool) {
  return new QvGeNurbCurve3d(static_cast<const QvDbSpline&>(entity).nurbCurve());
}

// Through the plain and fit vertices (control vertices skipped); a closed polyline ends at its
// first point again unless its last point is already there.
QvGeCurve3d* polyline3dCurve(const QvDbEntity& entity, bool) {
  const auto& polyline = static_cast<const QvDb3dPolyline&>(entity);
  QvGePoint3dArray points;
  xqForEachVertex<QvDb3dPolylineVertex>(polyline, [&](const QvDb3dPolylineVertex& vertex) {
    if (vertex.vertexType() != k3dControlVertex) points.append(vertex.position());
    return true;
  });
  if (polyline.isClosed() && !points.isEmpty() && !points.first().isEqualTo(points.last()))
    points.append(points.first());
  return new QvGePolyline3d(points);
}

// Through a lightweight copy of the polyline, made and dropped here.
QvGeCurve3d* polyline2dCurve(const QvDbEntity& entity, bool) {
  const auto copy = std::make_unique<QvDbPolyline>();
  XqDbUtil::lwPlineFrom2DPline(copy.get(), static_cast<const QvDb2dPolyline*>(&entity), true);
  return QvDbToQvGe::compositeCurve3d(copy.get());
}

QvGeCurve3d* lwPolylineCurve(const QvDbEntity& entity, bool) {
  return QvDbToQvGe::compositeCurve3d(static_cast<const QvDbPolyline*>(&entity));
}

QvGeCurve3d* rayCurve(const QvDbEntity& entity, bool unbounded) {
  const auto& ray = static_cast<const QvDbRay&>(entity);
  if (unbounded) return new QvGeLine3d(ray.basePoint(), ray.unitDir());
  return new QvGeRay3d(ray.basePoint(), ray.unitDir());
}

QvGeCurve3d* xlineCurve(const QvDbEntity& entity, bool) {
  const auto& xline = static_cast<const QvDbXline&>(entity);
  return new QvGeLine3d(xline.basePoint(), xline.unitDir());
}

QvGeCurve3d* leaderCurve(const QvDbEntity& entity, bool) {
  return new QvGePolyline3d(gripPointsOf(entity));
}

// Between the origins of the two extension lines.
QvGeCurve3d* dimensionCurve(const QvDbEntity& entity, bool unbounded) {
  const auto& dimension = static_cast<const QvDbLengthDimension&>(entity);
  if (unbounded) return new QvGeLine3d(dimension.xLine1Point(), dimension.xLine2Point());
  return new QvGeLineSeg3d(dimension.xLine1Point(), dimension.xLine2Point());
}

QvGeCurve3d* imageCurve(const QvDbEntity& entity, bool) {
  QvGePoint3dArray vertices;
  if (static_cast<const QvDbRasterImage&>(entity).getVertices(vertices) != Vexa::eOk)
    return nullptr;
  return closedPolyline(vertices);
}

// Corners 1, 2, 4, 3: round the filled area.
QvGeCurve3d* cornerCurve(const QvDbEntity& entity, bool) {
  const QvGePoint3dArray corners = gripPointsOf(entity);
  if (corners.length() != 4) return nullptr;
  return closedPolyline({corners[0], corners[1], corners[3], corners[2]});
}

QvGeCurve3d* faceCurve(const QvDbEntity& entity, bool) {
  return closedPolyline(gripPointsOf(entity));
}

QvGeCurve3d* mtextCurve(const QvDbEntity& entity, bool) {
  QvGePoint3dArray points;
  if (static_cast<const QvDbMText&>(entity).getBoundingPoints(points) != Vexa::eOk) return nullptr;
  return boxOutline(points);
}

// Through the text's implementation object.
QvGeCurve3d* textCurve(const QvDbEntity& entity, bool) {
  const auto* imp = dynamic_cast<const QvDbTextImp*>(QvDbSystemInternals::getImpObject(&entity));
  QvGePoint3dArray points;
  if (!imp || imp->getBoundingPoints(points) != Vexa::eOk) return nullptr;
  return boxOutline(points);
}

QvGeCurve3d* fcfCurve(const QvDbEntity& entity, bool) {
  QvGePoint3dArray points;
  if (static_cast<const QvDbFcf&>(entity).getBoundingPoints(points) != Vexa::eOk) return nullptr;
  return boxOutline(points);
}

struct ConversionRow {
  QvRxClass* (*desc)();
  EntityCurve curve;
};

// In the order of matching: the first row whose class fits wins.
const ConversionRow kConversions[] = {
    {&QvDbLine::desc, &lineCurve},
    {&QvDbCircle::desc, &circleCurve},
    {&QvDbArc::desc, &arcCurve},
    {&QvDbEllipse::desc, &ellipseCurve},
    {&QvDbSpline::desc, &splineCurve},
    {&QvDb3dPolyline::desc, &polyline3dCurve},
    {&QvDb2dPolyline::desc, &polyline2dCurve},
    {&QvDbPolyline::desc, &lwPolylineCurve},
    {&QvDbRay::desc, &rayCurve},
    {&QvDbXline::desc, &xlineCurve},
    {&QvDbLeader::desc, &leaderCurve},
    {&QvDbAlignedDimension::desc, &dimensionCurve},
    {&QvDbRotatedDimension::desc, &dimensionCurve},
    {&QvDbRasterImage::desc, &imageCurve},
    {&QvDbSolid::desc, &cornerCurve},
    {&QvDbTrace::desc, &cornerCurve},
    {&QvDbFace::desc, &faceCurve},
    {&QvDbWipeout::desc, &imageCurve},
    {&QvDbMText::desc, &mtextCurve},
    {&QvDbText::desc, &textCurve},
    {&QvDbFcf::desc, &fcfCurve},
};

}  // namespace

QvGeCurve3d* XqDbUtil::asQvGeCurve(const QvDbEntity* entity, bool unbounded, bool exactClass) {
  if (!entity) return nullptr;
  const QvRxClass* cls = entity->isA();
  for (const ConversionRow& row : kConversions) {
    const QvRxClass* listed = row.desc();
    if (exactClass ? cls != listed : !cls->isDerivedFrom(listed)) continue;
    std::unique_ptr<QvGeCurve3d> curve(row.curve(*entity, unbounded));
    return curve && curve->isValid() ? curve.release() : nullptr;
  }
  return nullptr;
}
