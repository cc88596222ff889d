#pragma once

#include "sdk/ge/QvGeLinearEnt3d.h"

// A half line from a base point. The parameter is the distance from the base point: [0, inf)
// along the direction. After reverseParam the parameter runs the other way, over (-inf, 0],
// and the ray keeps its points.
class QvGeRay3d : public QvGeLinearEnt3d {
 public:
  QvGeRay3d();  // from the origin along +X
  // A zero direction makes an invalid ray (see isValid).
  QvGeRay3d(const QvGePoint3d& base, const QvGeVector3d& direction);
  QvGeRay3d(const QvGePoint3d& base, const QvGePoint3d& throughPoint);

  Vexa::ErrorStatus set(const QvGePoint3d& base, const QvGeVector3d& direction);
  Vexa::ErrorStatus set(const QvGePoint3d& base, const QvGePoint3d& throughPoint);

  QvGe::EntityId type() const override { return QvGe::kRay3d; }
  QvGeRay3d* copy() const override { return new QvGeRay3d(*this); }
  // The direction from the base point into the ray (whatever the parameter's sense).
  QvGeVector3d rayDirection() const { return reversed_ ? -direction() : direction(); }
  void getInterval(QvGeInterval& interval) const override;
  void reverseParam() override;

 private:
  bool reversed_ = false;
};
