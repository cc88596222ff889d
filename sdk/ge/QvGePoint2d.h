#pragma once

#include "sdk/ge/QvGeVector2d.h"

// A 2D point.
class QvGePoint2d {
 public:
  double x = 0.0;
  double y = 0.0;

  static const QvGePoint2d kOrigin;

  constexpr QvGePoint2d() = default;
  constexpr QvGePoint2d(double xx, double yy) : x(xx), y(yy) {}

  QvGePoint2d& set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
  }
  double operator[](int i) const { return i == 0 ? x : y; }
  double& operator[](int i) { return i == 0 ? x : y; }

  QvGePoint2d operator+(const QvGeVector2d& v) const { return {x + v.x, y + v.y}; }
  QvGePoint2d operator-(const QvGeVector2d& v) const { return {x - v.x, y - v.y}; }
  QvGeVector2d operator-(const QvGePoint2d& p) const { return {x - p.x, y - p.y}; }
  QvGePoint2d& operator+=(const QvGeVector2d& v) { return set(x + v.x, y + v.y); }
  QvGePoint2d& operator-=(const QvGeVector2d& v) { return set(x - v.x, y - v.y); }
  // Equality within QvGeContext::gTol (isEqualTo).
  bool operator==(const QvGePoint2d& p) const { return isEqualTo(p); }

  QvGeVector2d asVector() const { return {x, y}; }
  double distanceTo(const QvGePoint2d& p) const { return (*this - p).length(); }
  double distSqrdTo(const QvGePoint2d& p) const { return (*this - p).lengthSqrd(); }
  bool isEqualTo(const QvGePoint2d& p, const QvGeTol& tol = QvGeContext::gTol) const {
    return distanceTo(p) <= tol.equalPoint();
  }

  QvGePoint2d& transformBy(const QvGeMatrix2d& m);
  QvGePoint2d& rotateBy(double angle, const QvGePoint2d& wrtPoint = kOrigin);
  QvGePoint2d& scaleBy(double factor, const QvGePoint2d& wrtPoint = kOrigin);
};
