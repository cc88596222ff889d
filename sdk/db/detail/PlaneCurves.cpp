#include "sdk/db/detail/PlaneCurves.h"

#include <memory>

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"

namespace qvdb_detail {

namespace {

QvGePoint3d at(const QvGePoint2d& p) {
  return {p.x, p.y, 0.0};
}
QvGeVector3d along(const QvGeVector2d& v) {
  return {v.x, v.y, 0.0};
}

QvGeCurve3d* flatCopy(const QvGeCurve2d& curve) {
  switch (curve.type()) {
    case QvGe::kLineSeg2d: {
      const auto& line = static_cast<const QvGeLineSeg2d&>(curve);
      return new QvGeLineSeg3d(at(line.startPoint()), at(line.endPoint()));
    }
    case QvGe::kCircArc2d: {
      const auto& arc = static_cast<const QvGeCircArc2d&>(curve);
      // Angles run from the reference vector towards the minor axis, which a clockwise arc
      // has on its right: about -z.
      const QvGeVector3d normal = arc.isClockWise() ? -QvGeVector3d::kZAxis : QvGeVector3d::kZAxis;
      return new QvGeCircArc3d(at(arc.center()), normal, along(arc.refVec()), arc.radius(),
                               arc.startAng(), arc.endAng());
    }
    case QvGe::kEllipArc2d: {
      const auto& arc = static_cast<const QvGeEllipArc2d&>(curve);
      return new QvGeEllipArc3d(at(arc.center()), along(arc.majorAxis()), along(arc.minorAxis()),
                                arc.majorRadius(), arc.minorRadius(), arc.startAng(),
                                arc.endAng());
    }
    case QvGe::kNurbCurve2d: {
      const auto& nurbs = static_cast<const QvGeNurbCurve2d&>(curve);
      int degree = 0;
      bool rational = false, periodic = false;
      QvGeDoubleArray knots, weights;
      QvGePoint2dArray points;
      nurbs.getDefinitionData(degree, rational, periodic, knots, points, weights);
      QvGePoint3dArray points3d;
      for (const QvGePoint2d& p : points) points3d.append(at(p));
      return new QvGeNurbCurve3d(degree, knots, points3d, weights, periodic);
    }
    default:
      return nullptr;
  }
}

}  // namespace

QvGeCurve3d* planeCurveInWorld(const QvGeCurve2d& curve, const QvGeMatrix3d& planeToWorld) {
  std::unique_ptr<QvGeCurve3d> out(flatCopy(curve));
  if (!out || !out->isValid() || out->transformBy(planeToWorld) != Vexa::eOk) return nullptr;
  return out.release();
}

}  // namespace qvdb_detail
