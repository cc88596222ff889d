#include "sdk/ge/QvGeNurbCurve3d.h"

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/detail/ConicCurve.h"
#include "sdk/ge/detail/ConicToNurbs.h"
#include "sdk/ge/detail/Finite.h"

namespace {

// The conic of an arc, read through its public data.
qvge_detail::ConicArc<3> conicOf(const QvGePoint3d& center, const QvGeVector3d& major,
                                 const QvGeVector3d& minor, double a, double b, double start,
                                 double end) {
  qvge_detail::ConicArc<3> c;
  c.center = center;
  c.major = major;
  c.minor = minor;
  c.a = a;
  c.b = b;
  c.start = start;
  c.end = end;
  return c;
}

bool isAffine(const QvGeMatrix3d& m) {
  return m.entry[3][0] == 0.0 && m.entry[3][1] == 0.0 && m.entry[3][2] == 0.0 &&
         m.entry[3][3] == 1.0;
}

}  // namespace

QvGeNurbCurve3d::QvGeNurbCurve3d() = default;

QvGeNurbCurve3d::QvGeNurbCurve3d(int degree, const QvGeDoubleArray& knots,
                                 const QvGePoint3dArray& ctrlPts, const QvGeDoubleArray& weights,
                                 bool isPeriodic) {
  if (set(degree, knots, ctrlPts, weights, isPeriodic) != Vexa::eOk) invalidate();
}

QvGeNurbCurve3d::QvGeNurbCurve3d(const QvGePoint3dArray& fitPoints, int degree,
                                 const QvGeVector3d& startTangent, const QvGeVector3d& endTangent) {
  if (setFitData(fitPoints, degree, startTangent, endTangent) != Vexa::eOk) invalidate();
}

QvGeNurbCurve3d::QvGeNurbCurve3d(const QvGeLineSeg3d& line) {
  set(1, QvGeDoubleArray{0.0, 0.0, 1.0, 1.0}, QvGePoint3dArray{line.startPoint(), line.endPoint()});
}

QvGeNurbCurve3d::QvGeNurbCurve3d(const QvGeCircArc3d& arc) {
  if (!arc.isValid()) {
    invalidate();
    return;
  }
  adopt(qvge_detail::conicToNurbs(conicOf(arc.center(), arc.refVec(),
                                          arc.normal().crossProduct(arc.refVec()), arc.radius(),
                                          arc.radius(), arc.startAng(), arc.endAng())));
}

QvGeNurbCurve3d::QvGeNurbCurve3d(const QvGeEllipArc3d& arc) {
  if (!arc.isValid()) {
    invalidate();
    return;
  }
  adopt(qvge_detail::conicToNurbs(conicOf(arc.center(), arc.majorAxis(), arc.minorAxis(),
                                          arc.majorRadius(), arc.minorRadius(), arc.startAng(),
                                          arc.endAng())));
}

QvGeBoundBlock3d QvGeNurbCurve3d::orthoBoundBlock(const QvGeInterval& range) const {
  return QvGeBoundBlock3d(boxOver(range));
}

Vexa::ErrorStatus QvGeNurbCurve3d::transformBy(const QvGeMatrix3d& m) {
  if (!qvge_detail::isFinite(m)) return Vexa::eInvalidInput;
  if (!isAffine(m)) return Vexa::eNotApplicable;
  mapAll(qvge_detail::PointMap<QvGeMatrix3d>{m}, qvge_detail::VectorMap<QvGeMatrix3d>{m});
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeNurbCurve3d::project(const QvGePlane& plane, const QvGeVector3d& direction,
                                           QvGeCurve3d*& result) const {
  if (!plane.isValid() || direction.isZeroLength()) return Vexa::eInvalidInput;
  QvGeMatrix3d projection;
  if (!projection.setToProjection(plane, direction)) return Vexa::eNotApplicable;
  if (!valid_) return Vexa::eInvalidInput;
  QvGeNurbCurve3d* image = copy();
  image->transformBy(projection);
  QvGeExtents3d box;
  image->core_.addHullToBox(box);
  if (box.diagonal() <= QvGeContext::gTol.equalPoint()) {
    delete image;
    return Vexa::eDegenerateGeometry;
  }
  result = image;
  return Vexa::eOk;
}
