#pragma once

#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGeContext.h"

class QvGeMatrix2d;

// A 2D vector.
class QvGeVector2d {
 public:
  double x = 0.0;
  double y = 0.0;

  static const QvGeVector2d kIdentity;  // the zero vector
  static const QvGeVector2d kXAxis;
  static const QvGeVector2d kYAxis;

  constexpr QvGeVector2d() = default;
  constexpr QvGeVector2d(double xx, double yy) : x(xx), y(yy) {}

  QvGeVector2d& set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
  }
  double operator[](int i) const { return i == 0 ? x : y; }
  double& operator[](int i) { return i == 0 ? x : y; }

  QvGeVector2d operator+(const QvGeVector2d& v) const { return {x + v.x, y + v.y}; }
  QvGeVector2d operator-(const QvGeVector2d& v) const { return {x - v.x, y - v.y}; }
  QvGeVector2d operator-() const { return {-x, -y}; }
  QvGeVector2d operator*(double s) const { return {x * s, y * s}; }
  QvGeVector2d operator/(double s) const { return {x / s, y / s}; }
  QvGeVector2d& operator+=(const QvGeVector2d& v) { return set(x + v.x, y + v.y); }
  QvGeVector2d& operator-=(const QvGeVector2d& v) { return set(x - v.x, y - v.y); }
  QvGeVector2d& operator*=(double s) { return set(x * s, y * s); }
  QvGeVector2d& operator/=(double s) { return set(x / s, y / s); }
  // Equality within QvGeContext::gTol (isEqualTo).
  bool operator==(const QvGeVector2d& v) const { return isEqualTo(v); }

  double length() const;
  double lengthSqrd() const { return x * x + y * y; }
  double dotProduct(const QvGeVector2d& v) const { return x * v.x + y * v.y; }
  // The z component of the 3D cross product: x * v.y - y * v.x.
  double crossProduct(const QvGeVector2d& v) const { return x * v.y - y * v.x; }
  // This vector turned a quarter turn counterclockwise.
  QvGeVector2d perpVector() const { return {-y, x}; }

  // The unit vector in this direction; a vector of zero length (tol.equalVector) stays as it
  // is, and normalize reports that through flag.
  QvGeVector2d normal(const QvGeTol& tol = QvGeContext::gTol) const;
  QvGeVector2d& normalize(const QvGeTol& tol = QvGeContext::gTol);
  QvGeVector2d& normalize(const QvGeTol& tol, QvGe::ErrorCondition& flag);

  // Angle from the +x axis, counterclockwise, in [0, 2pi); 0 for the zero vector.
  double angle() const;
  // Angle between the two directions, in [0, pi]; 0 when either is zero.
  double angleTo(const QvGeVector2d& v) const;
  // Counterclockwise angle from this vector to v, in [0, 2pi).
  double angleToCCW(const QvGeVector2d& v) const;

  QvGeVector2d& rotateBy(double angle);
  QvGeVector2d& negate() { return set(-x, -y); }
  // The linear part of the matrix (translation ignored).
  QvGeVector2d& transformBy(const QvGeMatrix2d& m);

  bool isZeroLength(const QvGeTol& tol = QvGeContext::gTol) const;
  bool isUnitLength(const QvGeTol& tol = QvGeContext::gTol) const;
  bool isEqualTo(const QvGeVector2d& v, const QvGeTol& tol = QvGeContext::gTol) const;
  // Parallel or antiparallel; false when either vector has zero length.
  bool isParallelTo(const QvGeVector2d& v, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isCodirectionalTo(const QvGeVector2d& v, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isPerpendicularTo(const QvGeVector2d& v, const QvGeTol& tol = QvGeContext::gTol) const;
};

inline QvGeVector2d operator*(double s, const QvGeVector2d& v) {
  return v * s;
}
