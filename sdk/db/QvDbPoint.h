#pragma once

#include "sdk/db/QvDbEntity.h"

// A point: its position, the normal of its plane, a thickness and the angle of the x axis its
// display uses.
class QvDbPoint : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbPoint);

  QvDbPoint() = default;
  explicit QvDbPoint(const QvGePoint3d& position);

  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);
  double ecsRotation() const;
  Vexa::ErrorStatus setEcsRotation(double angle);

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d position_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  double thickness_ = 0.0;
  double ecsRotation_ = 0.0;
};
