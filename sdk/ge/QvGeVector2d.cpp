#include "sdk/ge/QvGeVector2d.h"

#include <cmath>

#include "sdk/ge/QvGeMatrix2d.h"

const QvGeVector2d QvGeVector2d::kIdentity{0.0, 0.0};
const QvGeVector2d QvGeVector2d::kXAxis{1.0, 0.0};
const QvGeVector2d QvGeVector2d::kYAxis{0.0, 1.0};

double QvGeVector2d::length() const {
  return std::hypot(x, y);
}

QvGeVector2d QvGeVector2d::normal(const QvGeTol& tol) const {
  QvGeVector2d v = *this;
  return v.normalize(tol);
}

QvGeVector2d& QvGeVector2d::normalize(const QvGeTol& tol) {
  QvGe::ErrorCondition flag;
  return normalize(tol, flag);
}

QvGeVector2d& QvGeVector2d::normalize(const QvGeTol& tol, QvGe::ErrorCondition& flag) {
  const double len = length();
  if (!(len > tol.equalVector())) {
    flag = QvGe::k0This;
    return *this;
  }
  flag = QvGe::kOk;
  return set(x / len, y / len);
}

double QvGeVector2d::angle() const {
  if (x == 0.0 && y == 0.0) return 0.0;
  double a = std::atan2(y, x);
  if (a < 0.0) a += QvGe::k2Pi;
  return a >= QvGe::k2Pi ? 0.0 : a;
}

double QvGeVector2d::angleTo(const QvGeVector2d& v) const {
  return std::fabs(std::atan2(crossProduct(v), dotProduct(v)));
}

double QvGeVector2d::angleToCCW(const QvGeVector2d& v) const {
  double a = std::atan2(crossProduct(v), dotProduct(v));
  if (a < 0.0) a += QvGe::k2Pi;
  return a >= QvGe::k2Pi ? 0.0 : a;
}

QvGeVector2d& QvGeVector2d::rotateBy(double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return set(c * x - s * y, s * x + c * y);
}

QvGeVector2d& QvGeVector2d::transformBy(const QvGeMatrix2d& m) {
  return set(m.entry[0][0] * x + m.entry[0][1] * y, m.entry[1][0] * x + m.entry[1][1] * y);
}

bool QvGeVector2d::isZeroLength(const QvGeTol& tol) const {
  return length() <= tol.equalVector();
}

bool QvGeVector2d::isUnitLength(const QvGeTol& tol) const {
  return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool QvGeVector2d::isEqualTo(const QvGeVector2d& v, const QvGeTol& tol) const {
  return (*this - v).length() <= tol.equalVector();
}

bool QvGeVector2d::isParallelTo(const QvGeVector2d& v, const QvGeTol& tol) const {
  if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
  return std::fabs(normal(tol).crossProduct(v.normal(tol))) <= tol.equalVector();
}

bool QvGeVector2d::isCodirectionalTo(const QvGeVector2d& v, const QvGeTol& tol) const {
  return isParallelTo(v, tol) && dotProduct(v) > 0.0;
}

bool QvGeVector2d::isPerpendicularTo(const QvGeVector2d& v, const QvGeTol& tol) const {
  if (isZeroLength(tol) || v.isZeroLength(tol)) return false;
  return std::fabs(normal(tol).dotProduct(v.normal(tol))) <= tol.equalVector();
}
