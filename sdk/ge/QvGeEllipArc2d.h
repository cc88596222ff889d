#pragma once

#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/detail/ConicCurve.h"

// An elliptical arc in the plane: center + majorRadius cos t majorAxis + minorRadius sin t
// minorAxis over [startAng, endAng]. The arc runs clockwise when the minor axis is the major
// axis turned clockwise. Data rules as for QvGeEllipArc3d.
class QvGeEllipArc2d : public qvge_detail::ConicCurve<QvGeCurve2d> {
 public:
  QvGeEllipArc2d();  // the unit circle, as an ellipse
  QvGeEllipArc2d(const QvGePoint2d& center, const QvGeVector2d& majorAxis,
                 const QvGeVector2d& minorAxis, double majorRadius, double minorRadius,
                 double startAng = 0.0, double endAng = QvGe::k2Pi);

  Vexa::ErrorStatus set(const QvGePoint2d& center, const QvGeVector2d& majorAxis,
                        const QvGeVector2d& minorAxis, double majorRadius, double minorRadius,
                        double startAng = 0.0, double endAng = QvGe::k2Pi);
  Vexa::ErrorStatus setAngles(double startAng, double endAng);

  QvGe::EntityId type() const override { return QvGe::kEllipArc2d; }
  QvGeEllipArc2d* copy() const override { return new QvGeEllipArc2d(*this); }

  const QvGePoint2d& center() const { return conic_.center; }
  const QvGeVector2d& majorAxis() const { return conic_.major; }
  const QvGeVector2d& minorAxis() const { return conic_.minor; }
  double majorRadius() const { return conic_.a; }
  double minorRadius() const { return conic_.b; }
  double startAng() const { return conic_.start; }
  double endAng() const { return conic_.end; }
  bool isClockWise() const { return conic_.major.crossProduct(conic_.minor) < 0.0; }
  QvGePoint2d startPoint() const { return evalPoint(conic_.start); }
  QvGePoint2d endPoint() const { return evalPoint(conic_.end); }
  double paramAtAngle(double angle) const;
  double angleAtParam(double param) const;

  QvGeExtents2d boundBlock(const QvGeInterval& range) const override { return boxOver(range); }
  using QvGeCurve2d::boundBlock;
  Vexa::ErrorStatus transformBy(const QvGeMatrix2d& m) override;

 protected:
  QvGeCurve2d* make(const Conic& conic) const override;
};
