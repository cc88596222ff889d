#pragma once

#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGeContext.h"
#include "sdk/ge/QvGeVector2d.h"

class QvGeMatrix3d;
class QvGePlane;

// A 3D vector.
class QvGeVector3d {
 public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  static const QvGeVector3d kIdentity;  // the zero vector
  static const QvGeVector3d kXAxis;
  static const QvGeVector3d kYAxis;
  static const QvGeVector3d kZAxis;

  constexpr QvGeVector3d() = default;
  constexpr QvGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
  // The vector of plane coordinates v in the plane's own axes.
  QvGeVector3d(const QvGePlane& plane, const QvGeVector2d& v);

  QvGeVector3d& set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
  }
  double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
  double& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }

  QvGeVector3d operator+(const QvGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  QvGeVector3d operator-(const QvGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  QvGeVector3d operator-() const { return {-x, -y, -z}; }
  QvGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
  QvGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
  QvGeVector3d& operator+=(const QvGeVector3d& v) { return set(x + v.x, y + v.y, z + v.z); }
  QvGeVector3d& operator-=(const QvGeVector3d& v) { return set(x - v.x, y - v.y, z - v.z); }
  QvGeVector3d& operator*=(double s) { return set(x * s, y * s, z * s); }
  QvGeVector3d& operator/=(double s) { return set(x / s, y / s, z / s); }
  // Equality within QvGeContext::gTol (isEqualTo).
  bool operator==(const QvGeVector3d& v) const { return isEqualTo(v); }

  double length() const;
  double lengthSqrd() const { return x * x + y * y + z * z; }
  double dotProduct(const QvGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
  QvGeVector3d crossProduct(const QvGeVector3d& v) const {
    return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
  }

  // The unit vector in this direction. A vector of zero length (tol.equalVector) stays as it
  // is; normalize reports that through flag (QvGe::k0This).
  QvGeVector3d normal(const QvGeTol& tol = QvGeContext::gTol) const;
  QvGeVector3d& normalize(const QvGeTol& tol = QvGeContext::gTol);
  QvGeVector3d& normalize(const QvGeTol& tol, QvGe::ErrorCondition& flag);

  // The unit vector perpendicular to this one by the arbitrary-axis rule: when both x and y are
  // below 1/64 of the length, kYAxis x this, else kZAxis x this, normalised. Zero for the zero
  // vector. It is the x axis of QvGeMatrix3d::planeToWorld(this).
  QvGeVector3d perpVector() const;

  // Angle between the two directions, in [0, pi]; 0 when either is zero.
  double angleTo(const QvGeVector3d& v) const;
  // Angle from this vector to v, counterclockwise seen from the tip of `reference`, in
  // [0, 2pi). The angle is measured in the plane normal to reference.
  double angleTo(const QvGeVector3d& v, const QvGeVector3d& reference) const;
  // Angle of this vector, projected onto the plane, from the plane's x axis counterclockwise
  // about the plane's normal, in [0, 2pi); 0 when the projection has zero length.
  double angleOnPlane(const QvGePlane& plane) const;

  // Rotation about `axis` (right hand rule); a zero axis leaves the vector unchanged.
  QvGeVector3d& rotateBy(double angle, const QvGeVector3d& axis);
  QvGeVector3d& negate() { return set(-x, -y, -z); }
  // The linear part of the matrix (translation ignored).
  QvGeVector3d& transformBy(const QvGeMatrix3d& m);
  // The component of this vector in the plane with the given normal (zero normal: unchanged).
  QvGeVector3d orthoProject(const QvGeVector3d& planeNormal) const;
  // The plane coordinates of this vector in the plane's own axes (its normal part dropped).
  QvGeVector2d convert2d(const QvGePlane& plane) const;

  bool isZeroLength(const QvGeTol& tol = QvGeContext::gTol) const;
  bool isUnitLength(const QvGeTol& tol = QvGeContext::gTol) const;
  bool isEqualTo(const QvGeVector3d& v, const QvGeTol& tol = QvGeContext::gTol) const;
  // Parallel or antiparallel; false when either vector has zero length.
  bool isParallelTo(const QvGeVector3d& v, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isCodirectionalTo(const QvGeVector3d& v, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isPerpendicularTo(const QvGeVector3d& v, const QvGeTol& tol = QvGeContext::gTol) const;
};

inline QvGeVector3d operator*(double s, const QvGeVector3d& v) {
  return v * s;
}
