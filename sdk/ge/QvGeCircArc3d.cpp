#include "sdk/ge/QvGeCircArc3d.h"

#include <cmath>

#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/detail/Finite.h"

namespace {

using Conic = qvge_detail::ConicArc<3>;

// A circle's conic from checked data; false when the data cannot make one.
bool circleConic(const QvGePoint3d& center, const QvGeVector3d& normal, const QvGeVector3d& refVec,
                 double radius, double startAng, double endAng, Conic& out) {
  QvGe::ErrorCondition flagN, flagR;
  const QvGeVector3d n = QvGeVector3d(normal).normalize(QvGeContext::gTol, flagN);
  const QvGeVector3d r = refVec.orthoProject(n).normalize(QvGeContext::gTol, flagR);
  if (flagN != QvGe::kOk || flagR != QvGe::kOk) return false;
  if (!(radius > 0.0) || !std::isfinite(radius) || !qvge_detail::isFinite(center)) return false;
  double end = endAng;
  if (!qvge_detail::normalizeSweep(startAng, end)) return false;
  out.center = center;
  out.major = r;
  out.minor = n.crossProduct(r);
  out.a = out.b = radius;
  out.start = startAng;
  out.end = end;
  return true;
}

}  // namespace

QvGeCircArc3d::QvGeCircArc3d() = default;

QvGeCircArc3d::QvGeCircArc3d(const QvGePoint3d& center, const QvGeVector3d& normal, double radius) {
  Conic c;
  storeOrInvalidate(circleConic(center, normal, normal.perpVector(), radius, 0.0, QvGe::k2Pi, c), c,
                    center);
}

QvGeCircArc3d::QvGeCircArc3d(const QvGePoint3d& center, const QvGeVector3d& normal,
                             const QvGeVector3d& refVec, double radius, double startAng,
                             double endAng) {
  Conic c;
  storeOrInvalidate(circleConic(center, normal, refVec, radius, startAng, endAng, c), c, center);
}

QvGeCircArc3d::QvGeCircArc3d(const QvGePoint3d& p1, const QvGePoint3d& p2, const QvGePoint3d& p3) {
  if (set(p1, p2, p3) != Vexa::eOk) storeOrInvalidate(false, Conic(), p1);
}

Vexa::ErrorStatus QvGeCircArc3d::set(const QvGePoint3d& center, const QvGeVector3d& normal,
                                     double radius) {
  return set(center, normal, normal.perpVector(), radius, 0.0, QvGe::k2Pi);
}

Vexa::ErrorStatus QvGeCircArc3d::set(const QvGePoint3d& center, const QvGeVector3d& normal,
                                     const QvGeVector3d& refVec, double radius, double startAng,
                                     double endAng) {
  Conic c;
  if (!circleConic(center, normal, refVec, radius, startAng, endAng, c)) return Vexa::eInvalidInput;
  storeOrInvalidate(true, c, center);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeCircArc3d::set(const QvGePoint3d& p1, const QvGePoint3d& p2,
                                     const QvGePoint3d& p3) {
  QvGePoint3d center;
  const QvGeVector3d normal = (p2 - p1).crossProduct(p3 - p2);
  if (!qvge_detail::circleThrough(p1, p2, p3, center) || normal.isZeroLength())
    return Vexa::eInvalidInput;
  const QvGeVector3d ref = p1 - center;
  const double end = ref.angleTo(p3 - center, normal);
  return set(center, normal, ref, ref.length(), 0.0, end);
}

Vexa::ErrorStatus QvGeCircArc3d::setAngles(double startAng, double endAng) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), normal(), refVec(), radius(), startAng, endAng);
}

Vexa::ErrorStatus QvGeCircArc3d::setRadius(double radius) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), normal(), refVec(), radius, startAng(), endAng());
}

QvGeCircArc3d& QvGeCircArc3d::setCenter(const QvGePoint3d& center) {
  conic_.center = center;
  return *this;
}

Vexa::ErrorStatus QvGeCircArc3d::setAxes(const QvGeVector3d& normal, const QvGeVector3d& refVec) {
  if (!valid_) return Vexa::eInvalidInput;
  return set(center(), normal, refVec, radius(), startAng(), endAng());
}

QvGePlane QvGeCircArc3d::getPlane() const {
  return QvGePlane(conic_.center, conic_.major, conic_.minor);
}

QvGeBoundBlock3d QvGeCircArc3d::orthoBoundBlock(const QvGeInterval& range) const {
  return QvGeBoundBlock3d(boxOver(range));
}

Vexa::ErrorStatus QvGeCircArc3d::transformBy(const QvGeMatrix3d& m) {
  if (!valid_) return Vexa::eDegenerateGeometry;
  return transformConic(m, true);
}

Vexa::ErrorStatus QvGeCircArc3d::project(const QvGePlane& plane, const QvGeVector3d& direction,
                                         QvGeCurve3d*& result) const {
  if (!plane.isValid() || direction.isZeroLength()) return Vexa::eInvalidInput;
  QvGeMatrix3d projection;
  if (!projection.setToProjection(plane, direction)) return Vexa::eNotApplicable;
  if (!valid_) return Vexa::eInvalidInput;
  Conic image;
  if (!conic_.mapped(qvge_detail::PointMap<QvGeMatrix3d>{projection},
                     qvge_detail::VectorMap<QvGeMatrix3d>{projection}, image))
    return Vexa::eDegenerateGeometry;
  if (image.isRound()) {
    image.b = image.a;
    result = make(image);
  } else {
    result = new QvGeEllipArc3d(image.center, image.major, image.minor, image.a, image.b,
                                image.start, image.end);
  }
  return Vexa::eOk;
}

QvGeCurve3d* QvGeCircArc3d::make(const Conic& conic) const {
  auto* arc = new QvGeCircArc3d(*this);
  arc->conic_ = conic;
  return arc;
}
