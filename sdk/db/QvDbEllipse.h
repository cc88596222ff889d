#pragma once

#include "sdk/db/QvDbCurve.h"

class QvGeEllipArc3d;

// An ellipse or elliptical arc: center, unit normal, major axis (its length is the major
// radius, perpendicular to the normal) and the ratio of the minor radius to the major one, in
// (0, 1]; the minor axis is normal x major axis x ratio. Points are center + major cos t +
// minor sin t for the eccentric parameter t from the start to the end parameter
// (0 < end - start <= 2 pi). Angles are geometric: measured from the major axis,
// counterclockwise about the normal (paramAtAngle and angleAtParam convert).
class QvDbEllipse : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbEllipse);

  QvDbEllipse() = default;
  QvDbEllipse(const QvGePoint3d& center, const QvGeVector3d& unitNormal,
              const QvGeVector3d& majorAxis, double radiusRatio, double startAngle = 0.0,
              double endAngle = QvGe::k2Pi);

  // eInvalidInput (unchanged) for a zero normal or major axis, a major axis not perpendicular
  // to the normal, or a ratio outside (0, 1]. The angles are geometric angles.
  Vexa::ErrorStatus set(const QvGePoint3d& center, const QvGeVector3d& unitNormal,
                        const QvGeVector3d& majorAxis, double radiusRatio, double startAngle = 0.0,
                        double endAngle = QvGe::k2Pi);

  QvGePoint3d center() const;
  Vexa::ErrorStatus setCenter(const QvGePoint3d& center);
  QvGeVector3d normal() const;
  QvGeVector3d majorAxis() const;
  QvGeVector3d minorAxis() const;
  double majorRadius() const;
  double minorRadius() const;
  double radiusRatio() const;
  Vexa::ErrorStatus setRadiusRatio(double ratio);
  // Start and end as geometric angles, and as parameters. Setting one end keeps the other;
  // an end equal to the other (modulo 2 pi) makes the whole ellipse.
  double startAngle() const;
  Vexa::ErrorStatus setStartAngle(double angle);
  double endAngle() const;
  Vexa::ErrorStatus setEndAngle(double angle);
  double startParam() const;
  Vexa::ErrorStatus setStartParam(double param);
  double endParam() const;
  Vexa::ErrorStatus setEndParam(double param);
  double paramAtAngle(double angle) const;
  double angleAtParam(double param) const;
  bool isNull() const;  // no ellipse (zero axis)
  // Takes the geometry of an elliptical arc: the axes are exchanged when the minor radius is
  // the larger, and with `normalSense` the normal is turned to its side (the arc then runs the
  // other way round its parameters). eInvalidInput for an invalid arc.
  Vexa::ErrorStatus setFromGe(const QvGeEllipArc3d& arc, const QvGeVector3d* normalSense = nullptr);

  bool isClosed() const override;
  bool isPeriodic() const override { return isClosed(); }
  Vexa::ErrorStatus extend(double newParam) override;
  Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint) override;
  Vexa::ErrorStatus getArea(double& area) const override;
  Vexa::ErrorStatus reverseCurve() override;

 protected:
  const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                             bool unbounded = false) const override;
  // Any non-singular affine map (the axes are found again).
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // Center, then the ends of the axes (major, minor, -major, -minor); an arc adds its ends.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d center_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvGeVector3d majorAxis_ = QvGeVector3d::kXAxis;
  double radiusRatio_ = 1.0;
  double startParam_ = 0.0;
  double endParam_ = QvGe::k2Pi;
};
