#pragma once

#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvGeMatrix3d;
class QvGePlane;

// A 3D point.
class QvGePoint3d {
 public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  static const QvGePoint3d kOrigin;

  constexpr QvGePoint3d() = default;
  constexpr QvGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
  // The point with plane coordinates p on the plane.
  QvGePoint3d(const QvGePlane& plane, const QvGePoint2d& p);

  QvGePoint3d& set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
  }
  double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
  double& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }

  QvGePoint3d operator+(const QvGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  QvGePoint3d operator-(const QvGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  QvGeVector3d operator-(const QvGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
  QvGePoint3d& operator+=(const QvGeVector3d& v) { return set(x + v.x, y + v.y, z + v.z); }
  QvGePoint3d& operator-=(const QvGeVector3d& v) { return set(x - v.x, y - v.y, z - v.z); }
  // Equality within QvGeContext::gTol (isEqualTo).
  bool operator==(const QvGePoint3d& p) const { return isEqualTo(p); }

  QvGeVector3d asVector() const { return {x, y, z}; }
  double distanceTo(const QvGePoint3d& p) const { return (*this - p).length(); }
  double distSqrdTo(const QvGePoint3d& p) const { return (*this - p).lengthSqrd(); }
  bool isEqualTo(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const {
    return distanceTo(p) <= tol.equalPoint();
  }

  // A full transformation, with the division by w of a projective matrix (w zero: no
  // division).
  QvGePoint3d& transformBy(const QvGeMatrix3d& m);
  QvGePoint3d& rotateBy(double angle, const QvGeVector3d& axis,
                        const QvGePoint3d& wrtPoint = kOrigin);
  QvGePoint3d& scaleBy(double factor, const QvGePoint3d& wrtPoint = kOrigin);
  QvGePoint3d& mirror(const QvGePlane& plane);

  // The foot of the perpendicular on the plane.
  QvGePoint3d orthoProject(const QvGePlane& plane) const;
  // The point where the line through this point along `direction` meets the plane; false (and
  // result untouched) when the direction is zero or parallel to the plane.
  bool project(const QvGePlane& plane, const QvGeVector3d& direction, QvGePoint3d& result) const;
  // The plane coordinates of this point (its foot on the plane, in the plane's axes).
  QvGePoint2d convert2d(const QvGePlane& plane) const;
};
