#pragma once

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/QvGeVector3d.h"

class QvGePlane;
class QvGeScale3d;

// A 3D transformation: 4 by 4, acting on column vectors (x, y, z, 1): the transformed point
// is M * p. entry[row][col]; column 3 holds the translation and row 3 is (0, 0, 0, 1) for
// every matrix built here.
//
// Builders that cannot fail return the matrix; those that can (zero axes, singular frames)
// answer false and leave the matrix unchanged.
class QvGeMatrix3d {
 public:
  double entry[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

  static const QvGeMatrix3d kIdentity;

  QvGeMatrix3d() = default;

  double operator()(int row, int col) const { return entry[row][col]; }
  double& operator()(int row, int col) { return entry[row][col]; }

  QvGeMatrix3d& setToIdentity();
  QvGeMatrix3d& setToTranslation(const QvGeVector3d& v);
  // Uniform scaling about center.
  QvGeMatrix3d& setToScaling(double factor, const QvGePoint3d& center = QvGePoint3d::kOrigin);
  QvGeMatrix3d& setToScaling(const QvGeScale3d& scale,
                             const QvGePoint3d& center = QvGePoint3d::kOrigin);
  // Rotation by angle (right hand rule) about the axis through center; false for a zero axis.
  bool setToRotation(double angle, const QvGeVector3d& axis,
                     const QvGePoint3d& center = QvGePoint3d::kOrigin);
  // Mirroring in a plane; false for an invalid plane.
  bool setToMirroring(const QvGePlane& plane);
  // Point reflection through a point.
  QvGeMatrix3d& setToMirroring(const QvGePoint3d& point);
  // The matrix whose columns are the axes and the origin: it carries the world frame onto the
  // given frame. The axes are used as given (neither normalised nor checked).
  QvGeMatrix3d& setCoordSystem(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                               const QvGeVector3d& yAxis, const QvGeVector3d& zAxis);
  void getCoordSystem(QvGePoint3d& origin, QvGeVector3d& xAxis, QvGeVector3d& yAxis,
                      QvGeVector3d& zAxis) const;
  // The matrix carrying the "from" frame onto the "to" frame; false when the from frame's axes
  // are linearly dependent.
  bool setToAlignCoordSys(const QvGePoint3d& fromOrigin, const QvGeVector3d& fromXAxis,
                          const QvGeVector3d& fromYAxis, const QvGeVector3d& fromZAxis,
                          const QvGePoint3d& toOrigin, const QvGeVector3d& toXAxis,
                          const QvGeVector3d& toYAxis, const QvGeVector3d& toZAxis);
  // Plane coordinates to world coordinates for the plane through the origin with this normal,
  // in the plane's arbitrary-axis frame (see QvGePlane), and the exact inverse. False for a
  // zero normal.
  bool setToPlaneToWorld(const QvGeVector3d& normal);
  bool setToWorldToPlane(const QvGeVector3d& normal);
  // The same for a plane with its own point and axes; false for an invalid plane.
  bool setToPlaneToWorld(const QvGePlane& plane);
  bool setToWorldToPlane(const QvGePlane& plane);

  // The parallel projection onto the plane along direction (a singular matrix); false when the
  // plane is invalid or the direction is zero or lies in the plane.
  bool setToProjection(const QvGePlane& plane, const QvGeVector3d& direction);

  static QvGeMatrix3d translation(const QvGeVector3d& v);
  static QvGeMatrix3d scaling(double factor, const QvGePoint3d& center = QvGePoint3d::kOrigin);
  // Identity for a zero axis (check with setToRotation when that can happen).
  static QvGeMatrix3d rotation(double angle, const QvGeVector3d& axis,
                               const QvGePoint3d& center = QvGePoint3d::kOrigin);
  static QvGeMatrix3d mirroring(const QvGePlane& plane);
  // Identity for a zero normal (check with setToPlaneToWorld when that can happen).
  static QvGeMatrix3d planeToWorld(const QvGeVector3d& normal);
  static QvGeMatrix3d worldToPlane(const QvGeVector3d& normal);
  static QvGeMatrix3d planeToWorld(const QvGePlane& plane);
  static QvGeMatrix3d worldToPlane(const QvGePlane& plane);

  QvGeMatrix3d operator*(const QvGeMatrix3d& m) const;
  QvGeMatrix3d& operator*=(const QvGeMatrix3d& m) { return *this = *this * m; }
  QvGeMatrix3d& setToProduct(const QvGeMatrix3d& a, const QvGeMatrix3d& b) { return *this = a * b; }
  // left * this, applied after this.
  QvGeMatrix3d& preMultBy(const QvGeMatrix3d& left) { return *this = left * *this; }
  // this * right, applied before this.
  QvGeMatrix3d& postMultBy(const QvGeMatrix3d& right) { return *this = *this * right; }

  double det() const;
  // The inverse, by Gauss-Jordan elimination with partial pivoting; false (result untouched)
  // when a pivot falls to tol or below relative to the matrix's size.
  bool inverse(QvGeMatrix3d& result, double tol = QvGePrecision::kSingular) const;
  // The inverse of a matrix known to be invertible; a singular matrix gives the identity, so
  // use the checked form for matrices that come from outside.
  QvGeMatrix3d inverse() const;
  // Inverts in place; false (unchanged) when singular.
  bool invert(double tol = QvGePrecision::kSingular);
  QvGeMatrix3d transpose() const;
  bool isSingular(double tol = QvGePrecision::kSingular) const;
  // Translation entries compare with equalPoint, the others with equalVector.
  bool isEqualTo(const QvGeMatrix3d& m, const QvGeTol& tol = QvGeContext::gTol) const;
  // The linear part is a rotation (or mirroring) times one positive factor.
  bool isUniScaledOrtho(const QvGeTol& tol = QvGeContext::gTol) const;
  // The axes are mutually perpendicular (any lengths).
  bool isScaledOrtho(const QvGeTol& tol = QvGeContext::gTol) const;
  // The largest length of the images of the three unit axes.
  double scale() const;
  QvGeVector3d translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }
};
