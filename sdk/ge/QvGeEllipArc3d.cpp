#include "sdk/ge/QvGeEllipArc3d.h"

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGePlane.h"

namespace {
using Conic = qvge_detail::ConicArc<3>;
}  // namespace

QvGeEllipArc3d::QvGeEllipArc3d() = default;

QvGeEllipArc3d::QvGeEllipArc3d(const QvGePoint3d& center, const QvGeVector3d& majorAxis,
                               const QvGeVector3d& minorAxis, double majorRadius,
                               double minorRadius)
    : QvGeEllipArc3d(center, majorAxis, minorAxis, majorRadius, minorRadius, 0.0, QvGe::k2Pi) {}

QvGeEllipArc3d::QvGeEllipArc3d(const QvGePoint3d& center, const QvGeVector3d& majorAxis,
                               const QvGeVector3d& minorAxis, double majorRadius,
                               double minorRadius, double startAng, double endAng) {
  Conic c;
  storeOrInvalidate(qvge_detail::ellipseConic(center, majorAxis, minorAxis, majorRadius,
                                              minorRadius, startAng, endAng, c),
                    c, center);
}

QvGeEllipArc3d::QvGeEllipArc3d(const QvGeCircArc3d& arc)
    : QvGeEllipArc3d(arc.center(), arc.refVec(), arc.normal().crossProduct(arc.refVec()),
                     arc.radius(), arc.radius(), arc.startAng(), arc.endAng()) {}

Vexa::ErrorStatus QvGeEllipArc3d::set(const QvGePoint3d& center, const QvGeVector3d& majorAxis,
                                      const QvGeVector3d& minorAxis, double majorRadius,
                                      double minorRadius, double startAng, double endAng) {
  Conic c;
  if (!qvge_detail::ellipseConic(center, majorAxis, minorAxis, majorRadius, minorRadius, startAng,
                                 endAng, c))
    return Vexa::eInvalidInput;
  storeOrInvalidate(true, c, center);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeEllipArc3d::setAngles(double startAng, double endAng) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), majorAxis(), minorAxis(), majorRadius(), minorRadius(), startAng, endAng);
}

double QvGeEllipArc3d::paramAtAngle(double angle) const {
  return qvge_detail::ellipseParamAtAngle(conic_.a, conic_.b, angle);
}

double QvGeEllipArc3d::angleAtParam(double param) const {
  return qvge_detail::ellipseAngleAtParam(conic_.a, conic_.b, param);
}

QvGeBoundBlock3d QvGeEllipArc3d::orthoBoundBlock(const QvGeInterval& range) const {
  return QvGeBoundBlock3d(boxOver(range));
}

Vexa::ErrorStatus QvGeEllipArc3d::transformBy(const QvGeMatrix3d& m) {
  if (!valid_) return Vexa::eDegenerateGeometry;
  return transformConic(m, false);
}

Vexa::ErrorStatus QvGeEllipArc3d::project(const QvGePlane& plane, const QvGeVector3d& direction,
                                          QvGeCurve3d*& result) const {
  if (!plane.isValid() || direction.isZeroLength()) return Vexa::eInvalidInput;
  QvGeMatrix3d projection;
  if (!projection.setToProjection(plane, direction)) return Vexa::eNotApplicable;
  if (!valid_) return Vexa::eInvalidInput;
  QvGeEllipArc3d* image = copy();
  const Vexa::ErrorStatus es = image->transformBy(projection);
  if (es != Vexa::eOk) {
    delete image;
    return es;
  }
  result = image;
  return Vexa::eOk;
}

QvGeCurve3d* QvGeEllipArc3d::make(const Conic& conic) const {
  auto* arc = new QvGeEllipArc3d(*this);
  arc->conic_ = conic;
  return arc;
}
