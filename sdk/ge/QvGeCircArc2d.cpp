#include "sdk/ge/QvGeCircArc2d.h"

#include <cmath>

#include "sdk/ge/detail/Finite.h"

namespace {

using Conic = qvge_detail::ConicArc<2>;

bool circleConic(const QvGePoint2d& center, double radius, double startAng, double endAng,
                 const QvGeVector2d& refVec, bool isClockWise, Conic& out) {
  QvGe::ErrorCondition flag;
  const QvGeVector2d r = QvGeVector2d(refVec).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk || !(radius > 0.0) || !std::isfinite(radius) ||
      !qvge_detail::isFinite(center))
    return false;
  double end = endAng;
  if (!qvge_detail::normalizeSweep(startAng, end)) return false;
  out.center = center;
  out.major = r;
  out.minor = isClockWise ? -r.perpVector() : r.perpVector();
  out.a = out.b = radius;
  out.start = startAng;
  out.end = end;
  return true;
}

}  // namespace

QvGeCircArc2d::QvGeCircArc2d() = default;

QvGeCircArc2d::QvGeCircArc2d(const QvGePoint2d& center, double radius)
    : QvGeCircArc2d(center, radius, 0.0, QvGe::k2Pi) {}

QvGeCircArc2d::QvGeCircArc2d(const QvGePoint2d& center, double radius, double startAng,
                             double endAng, const QvGeVector2d& refVec, bool isClockWise) {
  Conic c;
  storeOrInvalidate(circleConic(center, radius, startAng, endAng, refVec, isClockWise, c), c,
                    center);
}

QvGeCircArc2d::QvGeCircArc2d(const QvGePoint2d& p1, const QvGePoint2d& p2, const QvGePoint2d& p3) {
  if (set(p1, p2, p3) != Vexa::eOk) storeOrInvalidate(false, Conic(), p1);
}

Vexa::ErrorStatus QvGeCircArc2d::set(const QvGePoint2d& center, double radius, double startAng,
                                     double endAng, const QvGeVector2d& refVec, bool isClockWise) {
  Conic c;
  if (!circleConic(center, radius, startAng, endAng, refVec, isClockWise, c))
    return Vexa::eInvalidInput;
  storeOrInvalidate(true, c, center);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeCircArc2d::set(const QvGePoint2d& p1, const QvGePoint2d& p2,
                                     const QvGePoint2d& p3) {
  QvGePoint2d center;
  const double turn = (p2 - p1).crossProduct(p3 - p2);
  if (!qvge_detail::circleThrough(p1, p2, p3, center) || turn == 0.0) return Vexa::eInvalidInput;
  const bool clockwise = turn < 0.0;
  const QvGeVector2d ref = p1 - center, toEnd = p3 - center;
  const double ccw = ref.angleToCCW(toEnd);
  const double end = clockwise ? (ccw == 0.0 ? 0.0 : QvGe::k2Pi - ccw) : ccw;
  return set(center, ref.length(), 0.0, end, ref, clockwise);
}

Vexa::ErrorStatus QvGeCircArc2d::setAngles(double startAng, double endAng) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), radius(), startAng, endAng, refVec(), isClockWise());
}

Vexa::ErrorStatus QvGeCircArc2d::setRadius(double radius) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), radius, startAng(), endAng(), refVec(), isClockWise());
}

QvGeCircArc2d& QvGeCircArc2d::setCenter(const QvGePoint2d& center) {
  conic_.center = center;
  return *this;
}

Vexa::ErrorStatus QvGeCircArc2d::setRefVec(const QvGeVector2d& refVec) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), radius(), startAng(), endAng(), refVec, isClockWise());
}

Vexa::ErrorStatus QvGeCircArc2d::transformBy(const QvGeMatrix2d& m) {
  if (!valid_) return Vexa::eDegenerateGeometry;
  return transformConic(m, true);
}

QvGeCurve2d* QvGeCircArc2d::make(const Conic& conic) const {
  auto* arc = new QvGeCircArc2d(*this);
  arc->conic_ = conic;
  return arc;
}
