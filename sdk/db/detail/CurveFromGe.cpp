#include "sdk/db/detail/CurveFromGe.h"

#include <memory>

#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"

namespace qvdb_detail {

namespace {

QvDbCurve* circularFromGe(const QvGeCircArc3d& arc, const QvGeVector3d* normalSense) {
  QvGeVector3d normal = arc.normal();
  QvGePoint3d start = arc.startPoint(), end = arc.endPoint();
  // Seen from the requested side the arc runs the other way.
  if (normalSense && normal.dotProduct(*normalSense) < 0.0) {
    normal = -normal;
    std::swap(start, end);
  }
  if (arc.isClosed()) return new QvDbCircle(arc.center(), normal, arc.radius());
  const double startAngle = angleInFrame(start - arc.center(), normal);
  const double endAngle = angleInFrame(end - arc.center(), normal);
  return new QvDbArc(arc.center(), normal, arc.radius(), startAngle, endAngle);
}

}  // namespace

QvDbCurve* curveFromGe(const QvGeCurve3d& curve, const QvGeVector3d* normalSense) {
  if (!curve.isValid()) return nullptr;
  switch (curve.type()) {
    case QvGe::kLineSeg3d: {
      const auto& seg = static_cast<const QvGeLineSeg3d&>(curve);
      return new QvDbLine(seg.startPoint(), seg.endPoint());
    }
    case QvGe::kLine3d: {
      const auto& line = static_cast<const QvGeLine3d&>(curve);
      return new QvDbXline(line.pointOnLine(), line.direction());
    }
    case QvGe::kRay3d: {
      const auto& ray = static_cast<const QvGeRay3d&>(curve);
      return new QvDbRay(ray.pointOnLine(), ray.rayDirection());
    }
    case QvGe::kCircArc3d:
      return circularFromGe(static_cast<const QvGeCircArc3d&>(curve), normalSense);
    case QvGe::kEllipArc3d: {
      auto ellipse = std::make_unique<QvDbEllipse>();
      if (ellipse->setFromGe(static_cast<const QvGeEllipArc3d&>(curve), normalSense) != Vexa::eOk)
        return nullptr;
      return ellipse.release();
    }
    case QvGe::kNurbCurve3d: {
      auto spline = std::make_unique<QvDbSpline>();
      if (spline->setNurbCurve(static_cast<const QvGeNurbCurve3d&>(curve)) != Vexa::eOk)
        return nullptr;
      return spline.release();
    }
    case QvGe::kPolyline3d: {
      const auto& polyline = static_cast<const QvGePolyline3d&>(curve);
      QvGePoint3dArray points;
      for (int i = 0; i < polyline.numFitPoints(); ++i) points.append(polyline.fitPointAt(i));
      return new QvDb3dPolyline(k3dSimplePoly, points);
    }
    default:
      return nullptr;
  }
}

}  // namespace qvdb_detail
