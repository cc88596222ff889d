#include "sdk/ge/QvGeEllipArc2d.h"

namespace {
using Conic = qvge_detail::ConicArc<2>;
}  // namespace

QvGeEllipArc2d::QvGeEllipArc2d() = default;

QvGeEllipArc2d::QvGeEllipArc2d(const QvGePoint2d& center, const QvGeVector2d& majorAxis,
                               const QvGeVector2d& minorAxis, double majorRadius,
                               double minorRadius, double startAng, double endAng) {
  Conic c;
  storeOrInvalidate(qvge_detail::ellipseConic(center, majorAxis, minorAxis, majorRadius,
                                              minorRadius, startAng, endAng, c),
                    c, center);
}

Vexa::ErrorStatus QvGeEllipArc2d::set(const QvGePoint2d& center, const QvGeVector2d& majorAxis,
                                      const QvGeVector2d& minorAxis, double majorRadius,
                                      double minorRadius, double startAng, double endAng) {
  Conic c;
  if (!qvge_detail::ellipseConic(center, majorAxis, minorAxis, majorRadius, minorRadius, startAng,
                                 endAng, c))
    return Vexa::eInvalidInput;
  storeOrInvalidate(true, c, center);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeEllipArc2d::setAngles(double startAng, double endAng) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), majorAxis(), minorAxis(), majorRadius(), minorRadius(), startAng, endAng);
}

double QvGeEllipArc2d::paramAtAngle(double angle) const {
  return qvge_detail::ellipseParamAtAngle(conic_.a, conic_.b, angle);
}

double QvGeEllipArc2d::angleAtParam(double param) const {
  return qvge_detail::ellipseAngleAtParam(conic_.a, conic_.b, param);
}

Vexa::ErrorStatus QvGeEllipArc2d::transformBy(const QvGeMatrix2d& m) {
  if (!valid_) return Vexa::eDegenerateGeometry;
  return transformConic(m, false);
}

QvGeCurve2d* QvGeEllipArc2d::make(const Conic& conic) const {
  auto* arc = new QvGeEllipArc2d(*this);
  arc->conic_ = conic;
  return arc;
}
