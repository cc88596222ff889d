#include "sdk/ge/QvGeVector3d.h"

#include <cmath>
#include <limits>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"

const QvGeVector3d QvGeVector3d::kIdentity{0.0, 0.0, 0.0};
const QvGeVector3d QvGeVector3d::kXAxis{1.0, 0.0, 0.0};
const QvGeVector3d QvGeVector3d::kYAxis{0.0, 1.0, 0.0};
const QvGeVector3d QvGeVector3d::kZAxis{0.0, 0.0, 1.0};

QvGeVector3d::QvGeVector3d(const QvGePlane& plane, const QvGeVector2d& v) {
  *this = plane.uAxis() * v.x + plane.vAxis() * v.y;
}

namespace {

// std::fmax, NaN rule included, without the library call: lengths are taken very often.
inline double larger(double a, double b) {
  if (std::isnan(a)) return b;
  if (std::isnan(b)) return a;
  return a < b ? b : a;
}

}  // namespace

double QvGeVector3d::length() const {
  // Scaled so that very large or very small components neither overflow nor underflow.
  const double m = larger(std::fabs(x), larger(std::fabs(y), std::fabs(z)));
  if (m == 0.0 || !std::isfinite(m)) return m;
  const double a = x / m, b = y / m, c = z / m;
  return m * std::sqrt(a * a + b * b + c * c);
}

QvGeVector3d QvGeVector3d::normal(const QvGeTol& tol) const {
  QvGeVector3d v = *this;
  return v.normalize(tol);
}

QvGeVector3d& QvGeVector3d::normalize(const QvGeTol& tol) {
  QvGe::ErrorCondition flag;
  return normalize(tol, flag);
}

QvGeVector3d& QvGeVector3d::normalize(const QvGeTol& tol, QvGe::ErrorCondition& flag) {
  const double len = length();
  if (!(len > tol.equalVector()) || !std::isfinite(len)) {
    flag = QvGe::k0This;
    return *this;
  }
  flag = QvGe::kOk;
  // A vector of unit length within rounding stays as it is: dividing it by its length again
  // would move its last bits, so that a normal would change each time it is set.
  if (std::fabs(len - 1.0) <= 4.0 * std::numeric_limits<double>::epsilon()) return *this;
  return set(x / len, y / len, z / len);
}

QvGeVector3d QvGeVector3d::perpVector() const {
  const double len = length();
  if (len == 0.0) return kIdentity;
  constexpr double kArbitraryAxisLimit = 1.0 / 64.0;
  const QvGeVector3d perp =
      std::fabs(x) < kArbitraryAxisLimit * len && std::fabs(y) < kArbitraryAxisLimit * len
          ? kYAxis.crossProduct(*this)
          : kZAxis.crossProduct(*this);
  return perp / perp.length();
}

double QvGeVector3d::angleTo(const QvGeVector3d& v) const {
  return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double QvGeVector3d::angleTo(const QvGeVector3d& v, const QvGeVector3d& reference) const {
  // Without a reference direction there is no sense of rotation: the plain angle.
  if (reference.isZeroLength()) return angleTo(v);
  const QvGeVector3d n = reference.normal();
  const QvGeVector3d a = orthoProject(n), b = v.orthoProject(n);
  double angle = std::atan2(a.crossProduct(b).dotProduct(n), a.dotProduct(b));
  if (angle < 0.0) angle += QvGe::k2Pi;
  return angle >= QvGe::k2Pi ? 0.0 : angle;
}

double QvGeVector3d::angleOnPlane(const QvGePlane& plane) const {
  return convert2d(plane).angle();
}

QvGeVector3d& QvGeVector3d::rotateBy(double angle, const QvGeVector3d& axis) {
  QvGe::ErrorCondition flag;
  const QvGeVector3d k = QvGeVector3d(axis).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk) return *this;
  // Rodrigues' rotation formula.
  const double c = std::cos(angle), s = std::sin(angle);
  *this = *this * c + k.crossProduct(*this) * s + k * (k.dotProduct(*this) * (1.0 - c));
  return *this;
}

QvGeVector3d& QvGeVector3d::transformBy(const QvGeMatrix3d& m) {
  const auto& e = m.entry;
  return set(e[0][0] * x + e[0][1] * y + e[0][2] * z, e[1][0] * x + e[1][1] * y + e[1][2] * z,
             e[2][0] * x + e[2][1] * y + e[2][2] * z);
}

QvGeVector3d QvGeVector3d::orthoProject(const QvGeVector3d& planeNormal) const {
  QvGe::ErrorCondition flag;
  const QvGeVector3d n = QvGeVector3d(planeNormal).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk) return *this;
  return *this - n * dotProduct(n);
}

QvGeVector2d QvGeVector3d::convert2d(const QvGePlane& plane) const {
  return {dotProduct(plane.uAxis()), dotProduct(plane.vAxis())};
}

bool QvGeVector3d::isZeroLength(const QvGeTol& tol) const {
  return length() <= tol.equalVector();
}

bool QvGeVector3d::isUnitLength(const QvGeTol& tol) const {
  return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool QvGeVector3d::isEqualTo(const QvGeVector3d& v, const QvGeTol& tol) const {
  return (*this - v).length() <= tol.equalVector();
}

bool QvGeVector3d::isParallelTo(const QvGeVector3d& v, const QvGeTol& tol) const {
  if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
  return normal(tol).crossProduct(v.normal(tol)).length() <= tol.equalVector();
}

bool QvGeVector3d::isCodirectionalTo(const QvGeVector3d& v, const QvGeTol& tol) const {
  return isParallelTo(v, tol) && dotProduct(v) > 0.0;
}

bool QvGeVector3d::isPerpendicularTo(const QvGeVector3d& v, const QvGeTol& tol) const {
  if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
  return std::fabs(normal(tol).dotProduct(v.normal(tol))) <= tol.equalVector();
}
