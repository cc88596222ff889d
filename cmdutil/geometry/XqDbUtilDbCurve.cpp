// XqDbUtil::asDbCurve: a database curve made from a geometry curve.
#include <memory>

#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbSplineImp.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// A closed arc is a circle. An open one is made at the origin in the XY plane and carried to
// the arc's plane, with the reference vector as its x axis.
QvDbCurve* fromCircArc(const QvGeCircArc3d& arc) {
  if (arc.isClosed()) return new QvDbCircle(arc.center(), arc.normal(), arc.radius());
  auto dbArc = std::make_unique<QvDbArc>(QvGePoint3d::kOrigin, QvGeVector3d::kZAxis, arc.radius(),
                                         arc.startAng(), arc.endAng());
  const QvGeVector3d xAxis = arc.refVec().normal();
  const QvGeVector3d zAxis = arc.normal().normal();
  const QvGeVector3d yAxis = zAxis.crossProduct(xAxis).normal();
  QvGeMatrix3d planeToWorld;
  planeToWorld.setCoordSystem(arc.center(), xAxis, yAxis, zAxis);
  if (dbArc->transformBy(planeToWorld) != Vexa::eOk) return nullptr;
  return dbArc.release();
}

// The whole ellipse first; an open arc then takes the parameters of its ends. An arc whose
// minor radius is the larger has its axes exchanged by the ellipse (same points).
QvDbCurve* fromEllipArc(const QvGeEllipArc3d& arc) {
  auto ellipse = std::make_unique<QvDbEllipse>();
  if (arc.minorRadius() > arc.majorRadius())
    return ellipse->setFromGe(arc) == Vexa::eOk ? ellipse.release() : nullptr;
  if (ellipse->set(arc.center(), arc.normal().normal(),
                   arc.majorAxis().normal() * arc.majorRadius(),
                   arc.minorRadius() / arc.majorRadius(), 0.0, QvGe::k2Pi) != Vexa::eOk)
    return nullptr;
  if (!arc.isClosed() && (ellipse->setStartParam(arc.paramOf(arc.startPoint())) != Vexa::eOk ||
                          ellipse->setEndParam(arc.paramOf(arc.endPoint())) != Vexa::eOk))
    return nullptr;
  return ellipse.release();
}

// One plain vertex per fit point, in order; never closed.
QvDbCurve* fromPolyline(const QvGePolyline3d& polyline) {
  auto result = std::make_unique<QvDb3dPolyline>();
  for (int i = 0; i < polyline.numFitPoints(); ++i) {
    auto vertex = std::make_unique<QvDb3dPolylineVertex>(polyline.fitPointAt(i));
    vertex->setVertexType(k3dSimpleVertex);
    if (result->appendVertex(vertex.get()) != Vexa::eOk) return nullptr;
    vertex.release();  // the polyline's now
  }
  return result.release();
}

// The spline's implementation object takes the curve.
QvDbCurve* fromNurbCurve(const QvGeNurbCurve3d& curve) {
  auto spline = std::make_unique<QvDbSpline>();
  auto* imp = dynamic_cast<QvDbSplineImp*>(QvDbSystemInternals::getImpObject(spline.get()));
  if (!imp || imp->setNurbCurve3d(curve) != Vexa::eOk) return nullptr;
  return spline.release();
}

}  // namespace

QvDbCurve* XqDbUtil::asDbCurve(const QvGeCurve3d* curve) {
  if (!curve) return nullptr;
  // Entities cannot be made from invalid geometry; a polyline of fewer than two points still
  // gives its (empty or one-vertex) polyline.
  if (!curve->isValid() && curve->type() != QvGe::kPolyline3d) return nullptr;
  switch (curve->type()) {
    case QvGe::kCircArc3d:
      return fromCircArc(static_cast<const QvGeCircArc3d&>(*curve));
    case QvGe::kEllipArc3d:
      return fromEllipArc(static_cast<const QvGeEllipArc3d&>(*curve));
    case QvGe::kLine3d: {
      const auto& line = static_cast<const QvGeLine3d&>(*curve);
      return new QvDbXline(line.pointOnLine(), line.direction());
    }
    case QvGe::kLineSeg3d: {
      const auto& segment = static_cast<const QvGeLineSeg3d&>(*curve);
      return new QvDbLine(segment.startPoint(), segment.endPoint());
    }
    case QvGe::kRay3d: {
      const auto& ray = static_cast<const QvGeRay3d&>(*curve);
      return new QvDbRay(ray.pointOnLine(), ray.direction());
    }
    case QvGe::kPolyline3d:
      return fromPolyline(static_cast<const QvGePolyline3d&>(*curve));
    case QvGe::kNurbCurve3d:
      return fromNurbCurve(static_cast<const QvGeNurbCurve3d&>(*curve));
    default:
      return nullptr;
  }
}
