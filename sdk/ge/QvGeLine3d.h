#pragma once

#include "sdk/ge/QvGeLinearEnt3d.h"

// An unbounded straight line. The parameter is the signed distance from pointOnLine along the
// unit direction.
class QvGeLine3d : public QvGeLinearEnt3d {
 public:
  static const QvGeLine3d kXAxis;
  static const QvGeLine3d kYAxis;
  static const QvGeLine3d kZAxis;

  QvGeLine3d();  // the X axis
  // A zero direction makes an invalid line (see isValid).
  QvGeLine3d(const QvGePoint3d& point, const QvGeVector3d& direction);
  // Through two points; equal points make an invalid line.
  QvGeLine3d(const QvGePoint3d& p1, const QvGePoint3d& p2);

  // eInvalidInput (line unchanged) for a zero direction, equal points or non-finite data.
  Vexa::ErrorStatus set(const QvGePoint3d& point, const QvGeVector3d& direction);
  Vexa::ErrorStatus set(const QvGePoint3d& p1, const QvGePoint3d& p2);

  QvGe::EntityId type() const override { return QvGe::kLine3d; }
  QvGeLine3d* copy() const override { return new QvGeLine3d(*this); }
  void getInterval(QvGeInterval& interval) const override;
  void reverseParam() override { negateParamVector(); }
};
