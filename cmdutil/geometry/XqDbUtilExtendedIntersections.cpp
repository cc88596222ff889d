// XqDbUtil: where a grown text box meets an entity, and what continues a spline beyond its ends.
#include <cmath>
#include <memory>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbSplineImp.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// The unit vector from `from` to `to`; zero when they coincide.
QvGeVector3d unitFromTo(const QvGePoint3d& from, const QvGePoint3d& to) {
  QvGeVector3d v = to - from;
  return v.isZeroLength() ? QvGeVector3d() : v.normalize();
}

constexpr double kZeroCurvature = 1e-10;

// One end of a spline: its ray (and, for a curved end, its extension segment) put into the
// two slots given. False for a failed evaluation or extension.
bool extendEnd(const QvGeNurbCurve3d& curve, bool atStart, QvGeCurve3d*& raySlot,
               QvGeCurve3d*& extensionSlot) {
  QvGePoint3d point;
  QvGeVector3dArray derivs;
  const double param = atStart ? curve.startParam() : curve.endParam();
  if (curve.evaluate(param, 2, point, derivs) != Vexa::eOk) return false;
  if (derivs[1].length() > kZeroCurvature) {
    auto extension = std::make_unique<QvGeNurbCurve3d>();
    if (curve.getExtendSegment(atStart, *extension) != Vexa::eOk) return false;
    const double farParam = atStart ? extension->startParam() : extension->endParam();
    if (extension->evaluate(farParam, 2, point, derivs) != Vexa::eOk) return false;
    extensionSlot = extension.release();
  }
  if (!derivs[0].isZeroLength()) {
    const QvGeVector3d outward = atStart ? -derivs[0] : derivs[0];
    raySlot = new QvGeRay3d(point, outward);
  }
  return true;
}

void deleteAll(QvArray<QvGeCurve3d*>& curves) {
  for (int i = 0; i < curves.length(); ++i) delete curves[i];
  curves.setLogicalLength(0);
}

}  // namespace

Vexa::ErrorStatus getExtendedIntPtsWithEnt(const QvArray<QvGePoint3d>& boxPoints,
                                           const QvDbEntity* other, double margin,
                                           QvDb::Intersect intType, QvArray<QvGePoint3d>& points,
                                           const QvGePlane& plane, bool usePlane) {
  if (boxPoints.length() != 4 || !other || !std::isfinite(margin)) return Vexa::eInvalidInput;
  const QvGePoint3d& b0 = boxPoints[0];
  const QvGePoint3d& b1 = boxPoints[1];
  const QvGePoint3d& b2 = boxPoints[2];
  const QvGePoint3d& b3 = boxPoints[3];
  const QvGeVector3d u = unitFromTo(b3, b2);
  const QvGeVector3d v = unitFromTo(b3, b0);
  const QvGeVector3d d1 = margin * (u - v);
  const QvGeVector3d d2 = margin * (u + v);
  const QvGePoint3d grown[4] = {b0 - d1, b1 + d2, b2 + d1, b3 - d2};
  QvDbLine edge;
  for (int i = 0; i < 4; ++i) {
    edge.setStartPoint(grown[i]);
    edge.setEndPoint(grown[(i + 1) % 4]);
    QvGePoint3dArray met;
    const Vexa::ErrorStatus es = usePlane ? edge.intersectWith(other, intType, plane, met)
                                          : edge.intersectWith(other, intType, met);
    if (es == Vexa::eOk) points.append(met);
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus XqDbUtil::getExtendedIntPtsWithEnt(const QvArray<QvGePoint3d>& boxPoints,
                                                     const QvDbEntity* other, double margin,
                                                     QvDb::Intersect intType,
                                                     QvArray<QvGePoint3d>& points,
                                                     const QvGePlane& plane, bool usePlane) {
  return ::getExtendedIntPtsWithEnt(boxPoints, other, margin, intType, points, plane, usePlane);
}

bool XqDbUtil::getSplineExtendSegmentGeCurve(const QvDbSpline* spline, bool atStart, bool atEnd,
                                             QvArray<QvGeCurve3d*>& curves) {
  curves.setLogicalLength(0);
  curves.setLogicalLength(4);
  for (int i = 0; i < 4; ++i) curves[i] = nullptr;
  const auto* imp =
      spline ? dynamic_cast<const QvDbSplineImp*>(QvDbSystemInternals::getImpObject(spline))
             : nullptr;
  if (!imp) return false;
  const QvGeNurbCurve3d& curve = imp->nurbCurve();
  if ((atStart && !extendEnd(curve, true, curves[0], curves[1])) ||
      (atEnd && !extendEnd(curve, false, curves[3], curves[2]))) {
    deleteAll(curves);
    return false;
  }
  for (int i = 0; i < 4; ++i)
    if (curves[i]) return true;
  return false;
}
