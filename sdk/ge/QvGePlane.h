#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvGeLinearEnt3d;
class QvGeMatrix3d;

// An unbounded plane: a point on it, its unit normal and two unit in-plane axes with
// uAxis x vAxis = normal. A plane set from a point and a normal takes its axes from the
// arbitrary-axis rule (uAxis along normal.perpVector()), the frame that
// QvGeMatrix3d::planeToWorld uses; a plane set from axes keeps the direction of the first.
//
// A plane given a zero normal (or parallel axes) is invalid: it keeps a zero normal and zero
// axes, answers false from isValid, isOn and intersectWith, and projects every point onto its
// own point. The set operations refuse such data, and non-finite points, with a status and
// leave the plane unchanged.
class QvGePlane {
 public:
  static const QvGePlane kXYPlane;
  static const QvGePlane kYZPlane;
  static const QvGePlane kZXPlane;

  QvGePlane();  // the XY plane through the origin
  QvGePlane(const QvGePoint3d& origin, const QvGeVector3d& normal);
  QvGePlane(const QvGePoint3d& origin, const QvGeVector3d& uAxis, const QvGeVector3d& vAxis);
  QvGePlane(const QvGePoint3d& p1, const QvGePoint3d& p2, const QvGePoint3d& p3);
  // The plane a*x + b*y + c*z + d = 0.
  QvGePlane(double a, double b, double c, double d);

  // eInvalidInput when the normal has zero length (QvGeContext::gTol).
  Vexa::ErrorStatus set(const QvGePoint3d& origin, const QvGeVector3d& normal);
  // eInvalidInput when an axis has zero length or the two are parallel.
  Vexa::ErrorStatus set(const QvGePoint3d& origin, const QvGeVector3d& uAxis,
                        const QvGeVector3d& vAxis);
  // eInvalidInput when the three points lie on one line.
  Vexa::ErrorStatus set(const QvGePoint3d& p1, const QvGePoint3d& p2, const QvGePoint3d& p3);
  Vexa::ErrorStatus set(double a, double b, double c, double d);

  bool isValid() const { return valid_; }
  const QvGeVector3d& normal() const { return normal_; }
  const QvGePoint3d& pointOnPlane() const { return origin_; }
  const QvGeVector3d& uAxis() const { return uAxis_; }
  const QvGeVector3d& vAxis() const { return vAxis_; }
  void getCoordSystem(QvGePoint3d& origin, QvGeVector3d& uAxis, QvGeVector3d& vAxis) const;
  // a, b, c (the unit normal) and d of the plane's equation.
  void getCoefficients(double& a, double& b, double& c, double& d) const;

  // Positive on the side the normal points to.
  double signedDistanceTo(const QvGePoint3d& p) const;
  double distanceTo(const QvGePoint3d& p) const;
  QvGePoint3d closestPointTo(const QvGePoint3d& p) const;
  bool isOn(const QvGePoint3d& p, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isParallelTo(const QvGePlane& other, const QvGeTol& tol = QvGeContext::gTol) const;
  bool isCoplanarTo(const QvGePlane& other, const QvGeTol& tol = QvGeContext::gTol) const;

  // The point where the line through linePoint along lineDir meets the plane; false when the
  // direction is zero, parallel to the plane, the point is not finite or the plane is invalid.
  bool intersectWith(const QvGePoint3d& linePoint, const QvGeVector3d& lineDir, QvGePoint3d& result,
                     const QvGeTol& tol = QvGeContext::gTol) const;
  // The point where a line, ray or segment meets the plane (within its interval); false when
  // it is parallel to the plane, misses it, or either is invalid.
  bool intersectWith(const QvGeLinearEnt3d& line, QvGePoint3d& result,
                     const QvGeTol& tol = QvGeContext::gTol) const;
  // The line common to two planes; false when they are parallel or either is invalid.
  bool intersectWith(const QvGePlane& other, QvGePoint3d& linePoint, QvGeVector3d& lineDir,
                     const QvGeTol& tol = QvGeContext::gTol) const;

  // Moves the plane's point and axes; false (plane unchanged) when the matrix flattens it.
  bool transformBy(const QvGeMatrix3d& m);

 private:
  QvGePoint3d origin_;
  QvGeVector3d normal_{0.0, 0.0, 1.0};
  QvGeVector3d uAxis_{1.0, 0.0, 0.0};
  QvGeVector3d vAxis_{0.0, 1.0, 0.0};
  bool valid_ = true;

  void makeInvalid(const QvGePoint3d& origin);
};
