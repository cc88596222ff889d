#pragma once

#include "sdk/db/QvDbCurve.h"

// A full circle: center, unit normal, radius and thickness. Its parameter is the angle from
// the x axis of the arbitrary-axis frame of the normal, from 0 to 2 pi.
class QvDbCircle : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbCircle);

  QvDbCircle() = default;
  QvDbCircle(const QvGePoint3d& center, const QvGeVector3d& normal, double radius);

  QvGePoint3d center() const;
  Vexa::ErrorStatus setCenter(const QvGePoint3d& center);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double radius() const;
  Vexa::ErrorStatus setRadius(double radius);  // eInvalidInput unless positive
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);
  double circumference() const;
  double diameter() const { return 2.0 * radius(); }

  bool isClosed() const override { return true; }
  bool isPeriodic() const override { return true; }
  Vexa::ErrorStatus extend(double newParam) override;
  Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint) override;
  Vexa::ErrorStatus getArea(double& area) const override;
  Vexa::ErrorStatus reverseCurve() override;  // the normal turns over

 protected:
  const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                             bool unbounded = false) const override;
  // Only maps that keep it round (eNotApplicable otherwise; getTransformedCopy then makes an
  // ellipse).
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetTransformedCopy(const QvGeMatrix3d& xform,
                                          QvDbEntity*& entity) const override;
  // Center, then the quadrant points at 0, pi/2, pi and 3 pi/2.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d center_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  double radius_ = 1.0;
  double thickness_ = 0.0;
};
