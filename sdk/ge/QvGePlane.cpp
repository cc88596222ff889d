#include "sdk/ge/QvGePlane.h"

#include <cmath>

#include "sdk/ge/QvGeLinearEnt3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/detail/Finite.h"

const QvGePlane QvGePlane::kXYPlane{};
const QvGePlane QvGePlane::kYZPlane{QvGePoint3d::kOrigin, QvGeVector3d::kYAxis,
                                    QvGeVector3d::kZAxis};
const QvGePlane QvGePlane::kZXPlane{QvGePoint3d::kOrigin, QvGeVector3d::kZAxis,
                                    QvGeVector3d::kXAxis};

QvGePlane::QvGePlane() = default;

QvGePlane::QvGePlane(const QvGePoint3d& origin, const QvGeVector3d& normal) {
  if (set(origin, normal) != Vexa::eOk) makeInvalid(origin);
}

QvGePlane::QvGePlane(const QvGePoint3d& origin, const QvGeVector3d& uAxis,
                     const QvGeVector3d& vAxis) {
  if (set(origin, uAxis, vAxis) != Vexa::eOk) makeInvalid(origin);
}

QvGePlane::QvGePlane(const QvGePoint3d& p1, const QvGePoint3d& p2, const QvGePoint3d& p3) {
  if (set(p1, p2, p3) != Vexa::eOk) makeInvalid(p1);
}

QvGePlane::QvGePlane(double a, double b, double c, double d) {
  if (set(a, b, c, d) != Vexa::eOk) makeInvalid(QvGePoint3d::kOrigin);
}

void QvGePlane::makeInvalid(const QvGePoint3d& origin) {
  origin_ = qvge_detail::isFinite(origin) ? origin : QvGePoint3d::kOrigin;
  normal_ = uAxis_ = vAxis_ = QvGeVector3d::kIdentity;
  valid_ = false;
}

Vexa::ErrorStatus QvGePlane::set(const QvGePoint3d& origin, const QvGeVector3d& normal) {
  QvGe::ErrorCondition flag;
  const QvGeVector3d n = QvGeVector3d(normal).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk || !qvge_detail::isFinite(origin)) return Vexa::eInvalidInput;
  const QvGeVector3d u = n.perpVector();
  origin_ = origin;
  normal_ = n;
  uAxis_ = u;
  vAxis_ = n.crossProduct(u);
  valid_ = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGePlane::set(const QvGePoint3d& origin, const QvGeVector3d& uAxis,
                                 const QvGeVector3d& vAxis) {
  QvGe::ErrorCondition flagU, flagN;
  const QvGeVector3d u = QvGeVector3d(uAxis).normalize(QvGeContext::gTol, flagU);
  const QvGeVector3d n = u.crossProduct(vAxis.normal()).normalize(QvGeContext::gTol, flagN);
  if (flagU != QvGe::kOk || flagN != QvGe::kOk || !qvge_detail::isFinite(origin))
    return Vexa::eInvalidInput;
  origin_ = origin;
  normal_ = n;
  uAxis_ = u;
  vAxis_ = n.crossProduct(u);
  valid_ = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGePlane::set(const QvGePoint3d& p1, const QvGePoint3d& p2,
                                 const QvGePoint3d& p3) {
  return set(p1, p2 - p1, p3 - p1);
}

Vexa::ErrorStatus QvGePlane::set(double a, double b, double c, double d) {
  const QvGeVector3d n(a, b, c);
  const double lenSqrd = n.lengthSqrd();
  if (!(std::sqrt(lenSqrd) > QvGeContext::gTol.equalVector())) return Vexa::eInvalidInput;
  // The point of the plane nearest the origin.
  return set(QvGePoint3d::kOrigin + n * (-d / lenSqrd), n);
}

void QvGePlane::getCoordSystem(QvGePoint3d& origin, QvGeVector3d& uAxis,
                               QvGeVector3d& vAxis) const {
  origin = origin_;
  uAxis = uAxis_;
  vAxis = vAxis_;
}

void QvGePlane::getCoefficients(double& a, double& b, double& c, double& d) const {
  a = normal_.x;
  b = normal_.y;
  c = normal_.z;
  d = -normal_.dotProduct(origin_.asVector());
}

double QvGePlane::signedDistanceTo(const QvGePoint3d& p) const {
  return (p - origin_).dotProduct(normal_);
}

double QvGePlane::distanceTo(const QvGePoint3d& p) const {
  return std::fabs(signedDistanceTo(p));
}

QvGePoint3d QvGePlane::closestPointTo(const QvGePoint3d& p) const {
  if (!valid_) return origin_;
  return p - normal_ * signedDistanceTo(p);
}

bool QvGePlane::isOn(const QvGePoint3d& p, const QvGeTol& tol) const {
  return valid_ && distanceTo(p) <= tol.equalPoint();
}

bool QvGePlane::isParallelTo(const QvGePlane& other, const QvGeTol& tol) const {
  return valid_ && other.valid_ && normal_.isParallelTo(other.normal_, tol);
}

bool QvGePlane::isCoplanarTo(const QvGePlane& other, const QvGeTol& tol) const {
  return isParallelTo(other, tol) && isOn(other.origin_, tol);
}

bool QvGePlane::intersectWith(const QvGePoint3d& linePoint, const QvGeVector3d& lineDir,
                              QvGePoint3d& result, const QvGeTol& tol) const {
  if (!valid_ || !qvge_detail::isFinite(linePoint)) return false;
  QvGe::ErrorCondition flag;
  const QvGeVector3d u = QvGeVector3d(lineDir).normalize(tol, flag);
  if (flag != QvGe::kOk) return false;
  const double denom = u.dotProduct(normal_);
  if (std::fabs(denom) <= tol.equalVector()) return false;
  result = linePoint + u * (-signedDistanceTo(linePoint) / denom);
  return true;
}

bool QvGePlane::intersectWith(const QvGeLinearEnt3d& line, QvGePoint3d& result,
                              const QvGeTol& tol) const {
  if (!valid_ || !line.isValid()) return false;
  const QvGeVector3d d = line.paramVector();
  const double denom = d.dotProduct(normal_);
  if (std::fabs(denom) <= tol.equalVector() * d.length()) return false;
  const double t = -signedDistanceTo(line.pointOnLine()) / denom;
  QvGeInterval interval;
  line.getInterval(interval);
  // The interval's slack in parameter units: the point tolerance along the line.
  const double slack = tol.equalPoint() / d.length();
  if ((interval.isBoundedBelow() && t < interval.lowerBound() - slack) ||
      (interval.isBoundedAbove() && t > interval.upperBound() + slack))
    return false;
  result = line.evalPoint(interval.clamp(t));
  return true;
}

bool QvGePlane::intersectWith(const QvGePlane& other, QvGePoint3d& linePoint, QvGeVector3d& lineDir,
                              const QvGeTol& tol) const {
  if (!valid_ || !other.valid_) return false;
  QvGe::ErrorCondition flag;
  const QvGeVector3d dir = normal_.crossProduct(other.normal_).normalize(tol, flag);
  if (flag != QvGe::kOk) return false;
  // The point of the common line nearest this plane's point: move within this plane, across
  // the line, until the other plane is reached.
  const QvGeVector3d across = dir.crossProduct(normal_);
  QvGePoint3d p;
  if (!other.intersectWith(origin_, across, p, tol)) return false;
  linePoint = p;
  lineDir = dir;
  return true;
}

bool QvGePlane::transformBy(const QvGeMatrix3d& m) {
  if (!valid_) return false;
  QvGePoint3d o = origin_;
  QvGePoint3d pu = origin_ + uAxis_;
  QvGePoint3d pv = origin_ + vAxis_;
  o.transformBy(m);
  pu.transformBy(m);
  pv.transformBy(m);
  QvGePlane moved;
  if (moved.set(o, pu - o, pv - o) != Vexa::eOk) return false;
  *this = moved;
  return true;
}
