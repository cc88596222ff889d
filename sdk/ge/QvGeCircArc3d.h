#pragma once

#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/detail/ConicCurve.h"

// A circular arc in space: center, unit normal, unit reference vector in the arc's plane,
// radius, and start and end angles measured from the reference vector counterclockwise about
// the normal. The parameter is the angle. 0 < endAng - startAng <= 2pi; a full circle runs
// from 0 to 2pi.
//
// Angles are kept as given, with the end moved by whole turns into (start, start + 2pi]; end
// angles that differ from the start by a whole number of turns make a full circle, equal
// angles are refused. A zero normal, a reference vector along the normal, a radius that is
// not positive or non-finite data are refused by the setters with eInvalidInput; the
// constructors make an invalid arc (a point at the center, or at the origin when the center
// is not finite) from such data.
class QvGeCircArc3d : public qvge_detail::ConicCurve<QvGeCurve3d> {
 public:
  QvGeCircArc3d();  // the unit circle in the XY plane
  // Full circle; the reference vector is the plane's arbitrary-axis x axis.
  QvGeCircArc3d(const QvGePoint3d& center, const QvGeVector3d& normal, double radius);
  QvGeCircArc3d(const QvGePoint3d& center, const QvGeVector3d& normal, const QvGeVector3d& refVec,
                double radius, double startAng, double endAng);
  // The arc from p1 through p2 to p3.
  QvGeCircArc3d(const QvGePoint3d& p1, const QvGePoint3d& p2, const QvGePoint3d& p3);

  Vexa::ErrorStatus set(const QvGePoint3d& center, const QvGeVector3d& normal, double radius);
  Vexa::ErrorStatus set(const QvGePoint3d& center, const QvGeVector3d& normal,
                        const QvGeVector3d& refVec, double radius, double startAng, double endAng);
  // eInvalidInput when the points are (nearly) on one line or two are equal.
  Vexa::ErrorStatus set(const QvGePoint3d& p1, const QvGePoint3d& p2, const QvGePoint3d& p3);
  Vexa::ErrorStatus setAngles(double startAng, double endAng);
  Vexa::ErrorStatus setRadius(double radius);
  QvGeCircArc3d& setCenter(const QvGePoint3d& center);
  // A new normal and reference vector (the reference is made perpendicular to the normal).
  Vexa::ErrorStatus setAxes(const QvGeVector3d& normal, const QvGeVector3d& refVec);

  QvGe::EntityId type() const override { return QvGe::kCircArc3d; }
  QvGeCircArc3d* copy() const override { return new QvGeCircArc3d(*this); }

  const QvGePoint3d& center() const { return conic_.center; }
  QvGeVector3d normal() const { return conic_.major.crossProduct(conic_.minor); }
  const QvGeVector3d& refVec() const { return conic_.major; }
  double radius() const { return conic_.a; }
  double startAng() const { return conic_.start; }
  double endAng() const { return conic_.end; }
  QvGePoint3d startPoint() const { return evalPoint(conic_.start); }
  QvGePoint3d endPoint() const { return evalPoint(conic_.end); }
  QvGePlane getPlane() const;

  QvGeBoundBlock3d orthoBoundBlock(const QvGeInterval& range) const override;
  using QvGeCurve3d::orthoBoundBlock;
  // eNotApplicable for maps that do not keep the arc circular (non-uniform scaling).
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& m) override;
  // The image is a QvGeCircArc3d when the arc's plane is parallel to the target plane, else a
  // QvGeEllipArc3d; eDegenerateGeometry when the arc is seen edge-on.
  Vexa::ErrorStatus project(const QvGePlane& plane, const QvGeVector3d& direction,
                            QvGeCurve3d*& result) const override;

 protected:
  QvGeCurve3d* make(const Conic& conic) const override;
};
