#pragma once

#include "sdk/ge/QvGeContext.h"

class QvGeMatrix3d;

// Scale factors along the three axes.
class QvGeScale3d {
 public:
  double sx = 1.0;
  double sy = 1.0;
  double sz = 1.0;

  static const QvGeScale3d kIdentity;

  constexpr QvGeScale3d() = default;
  constexpr explicit QvGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
  constexpr QvGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

  QvGeScale3d& set(double x, double y, double z) {
    sx = x;
    sy = y;
    sz = z;
    return *this;
  }
  double operator[](int i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
  double& operator[](int i) { return i == 0 ? sx : (i == 1 ? sy : sz); }

  QvGeScale3d operator*(double factor) const { return {sx * factor, sy * factor, sz * factor}; }
  QvGeScale3d operator*(const QvGeScale3d& s) const { return {sx * s.sx, sy * s.sy, sz * s.sz}; }
  QvGeScale3d& operator*=(double factor) { return *this = *this * factor; }
  QvGeScale3d& operator*=(const QvGeScale3d& s) { return *this = *this * s; }
  // Equality within QvGeContext::gTol (isEqualTo).
  bool operator==(const QvGeScale3d& s) const { return isEqualTo(s); }

  // The three factors differ by at most tol.equalVector from each other.
  bool isProportional(const QvGeTol& tol = QvGeContext::gTol) const;
  bool isEqualTo(const QvGeScale3d& s, const QvGeTol& tol = QvGeContext::gTol) const;
  // The scaling matrix about the origin.
  void getMatrix(QvGeMatrix3d& m) const;
};

inline QvGeScale3d operator*(double factor, const QvGeScale3d& s) {
  return s * factor;
}
