#pragma once

#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/detail/ConicCurve.h"

// An elliptical arc in space: center + majorRadius cos t majorAxis + minorRadius sin t
// minorAxis over [startAng, endAng] (0 < endAng - startAng <= 2pi). The parameter t is the
// eccentric angle; paramAtAngle converts a geometric angle measured from the major axis. The
// normal is majorAxis x minorAxis.
//
// The axes must be perpendicular (their unit vectors' dot product within QvGePrecision::kRelative;
// the minor axis is then made exactly perpendicular), the radii positive and all data finite; the
// setters refuse other data with eInvalidInput and the constructors make an invalid arc (a point at
// the center, or at the origin when the center is not finite).
class QvGeEllipArc3d : public qvge_detail::ConicCurve<QvGeCurve3d> {
 public:
  QvGeEllipArc3d();  // the unit circle in the XY plane, as an ellipse
  QvGeEllipArc3d(const QvGePoint3d& center, const QvGeVector3d& majorAxis,
                 const QvGeVector3d& minorAxis, double majorRadius, double minorRadius);
  QvGeEllipArc3d(const QvGePoint3d& center, const QvGeVector3d& majorAxis,
                 const QvGeVector3d& minorAxis, double majorRadius, double minorRadius,
                 double startAng, double endAng);
  // The ellipse of a circular arc (same points, same parameters).
  explicit QvGeEllipArc3d(const class QvGeCircArc3d& arc);

  Vexa::ErrorStatus set(const QvGePoint3d& center, const QvGeVector3d& majorAxis,
                        const QvGeVector3d& minorAxis, double majorRadius, double minorRadius,
                        double startAng = 0.0, double endAng = QvGe::k2Pi);
  Vexa::ErrorStatus setAngles(double startAng, double endAng);

  QvGe::EntityId type() const override { return QvGe::kEllipArc3d; }
  QvGeEllipArc3d* copy() const override { return new QvGeEllipArc3d(*this); }

  const QvGePoint3d& center() const { return conic_.center; }
  const QvGeVector3d& majorAxis() const { return conic_.major; }
  const QvGeVector3d& minorAxis() const { return conic_.minor; }
  QvGeVector3d normal() const { return conic_.major.crossProduct(conic_.minor); }
  double majorRadius() const { return conic_.a; }
  double minorRadius() const { return conic_.b; }
  double startAng() const { return conic_.start; }
  double endAng() const { return conic_.end; }
  QvGePoint3d startPoint() const { return evalPoint(conic_.start); }
  QvGePoint3d endPoint() const { return evalPoint(conic_.end); }
  // The parameter of the point seen at `angle` from the major axis (counterclockwise about the
  // normal), on the same turn as the angle; and the inverse.
  double paramAtAngle(double angle) const;
  double angleAtParam(double param) const;

  QvGeBoundBlock3d orthoBoundBlock(const QvGeInterval& range) const override;
  using QvGeCurve3d::orthoBoundBlock;
  // Any non-singular affine map: the image's principal axes are found again.
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& m) override;
  Vexa::ErrorStatus project(const QvGePlane& plane, const QvGeVector3d& direction,
                            QvGeCurve3d*& result) const override;

 protected:
  QvGeCurve3d* make(const Conic& conic) const override;
};
