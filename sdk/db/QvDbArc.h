#pragma once

#include "sdk/db/QvDbCurve.h"

// A circular arc: center, unit normal, radius, and start and end angles measured from the x
// axis of the arbitrary-axis frame of the normal, counterclockwise about it. The arc runs from
// the start angle to the end angle; equal angles make a whole turn. The parameters are the
// angles (the end one plus 2 pi when below the start one).
class QvDbArc : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbArc);

  QvDbArc() = default;
  QvDbArc(const QvGePoint3d& center, double radius, double startAngle, double endAngle);
  QvDbArc(const QvGePoint3d& center, const QvGeVector3d& normal, double radius, double startAngle,
          double endAngle);

  QvGePoint3d center() const;
  Vexa::ErrorStatus setCenter(const QvGePoint3d& center);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double radius() const;
  Vexa::ErrorStatus setRadius(double radius);  // eInvalidInput unless positive
  // Angles in [0, 2 pi): setters bring theirs into that range.
  double startAngle() const;
  Vexa::ErrorStatus setStartAngle(double angle);
  double endAngle() const;
  Vexa::ErrorStatus setEndAngle(double angle);
  // The angle swept, in (0, 2 pi].
  double totalAngle() const;
  double length() const { return radius() * totalAngle(); }
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);

  bool isClosed() const override { return false; }
  Vexa::ErrorStatus extend(double newParam) override;
  Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint) override;
  Vexa::ErrorStatus getArea(double& area) const override;  // the circular segment
  Vexa::ErrorStatus reverseCurve() override;               // the normal turns over

 protected:
  const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                             bool unbounded = false) const override;
  // Only maps that keep it circular (eNotApplicable otherwise; getTransformedCopy then makes an
  // elliptical arc). A mirror keeps the normal's sense and runs the arc the other way round.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetTransformedCopy(const QvGeMatrix3d& xform,
                                          QvDbEntity*& entity) const override;
  // Start, middle, end, center.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d center_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  double radius_ = 1.0;
  double startAngle_ = 0.0;
  double endAngle_ = QvGe::kPi;
  double thickness_ = 0.0;
};
