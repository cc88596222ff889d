#pragma once

#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/detail/ConicCurve.h"

// A circular arc in the plane: center, radius, unit reference vector, and start and end angles
// measured from the reference vector, counterclockwise, or clockwise when isClockWise. The
// parameter is the angle; the rules for angles and bad data are those of QvGeCircArc3d.
class QvGeCircArc2d : public qvge_detail::ConicCurve<QvGeCurve2d> {
 public:
  QvGeCircArc2d();  // the unit circle
  QvGeCircArc2d(const QvGePoint2d& center, double radius);
  QvGeCircArc2d(const QvGePoint2d& center, double radius, double startAng, double endAng,
                const QvGeVector2d& refVec = QvGeVector2d::kXAxis, bool isClockWise = false);
  // The arc from p1 through p2 to p3 (clockwise when that is how the points turn).
  QvGeCircArc2d(const QvGePoint2d& p1, const QvGePoint2d& p2, const QvGePoint2d& p3);

  Vexa::ErrorStatus set(const QvGePoint2d& center, double radius, double startAng, double endAng,
                        const QvGeVector2d& refVec = QvGeVector2d::kXAxis,
                        bool isClockWise = false);
  Vexa::ErrorStatus set(const QvGePoint2d& p1, const QvGePoint2d& p2, const QvGePoint2d& p3);
  Vexa::ErrorStatus setAngles(double startAng, double endAng);
  Vexa::ErrorStatus setRadius(double radius);
  QvGeCircArc2d& setCenter(const QvGePoint2d& center);
  Vexa::ErrorStatus setRefVec(const QvGeVector2d& refVec);

  QvGe::EntityId type() const override { return QvGe::kCircArc2d; }
  QvGeCircArc2d* copy() const override { return new QvGeCircArc2d(*this); }

  const QvGePoint2d& center() const { return conic_.center; }
  double radius() const { return conic_.a; }
  double startAng() const { return conic_.start; }
  double endAng() const { return conic_.end; }
  const QvGeVector2d& refVec() const { return conic_.major; }
  bool isClockWise() const { return conic_.major.crossProduct(conic_.minor) < 0.0; }
  QvGePoint2d startPoint() const { return evalPoint(conic_.start); }
  QvGePoint2d endPoint() const { return evalPoint(conic_.end); }

  QvGeExtents2d boundBlock(const QvGeInterval& range) const override { return boxOver(range); }
  using QvGeCurve2d::boundBlock;
  Vexa::ErrorStatus transformBy(const QvGeMatrix2d& m) override;

 protected:
  QvGeCurve2d* make(const Conic& conic) const override;
};
