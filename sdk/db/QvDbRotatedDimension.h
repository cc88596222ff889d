#pragma once

#include "sdk/db/QvDbLengthDimension.h"

// A dimension of the distance between its two extension-line origins measured along a fixed
// direction: the dimension line's, at `rotation` from the x axis of the dimension's plane (the
// arbitrary-axis frame of its normal). transformBy turns the direction with the dimension.
class QvDbRotatedDimension : public QvDbLengthDimension {
  QVDB_DECLARE_MEMBERS(QvDbRotatedDimension);

  QvDbRotatedDimension() = default;
  QvDbRotatedDimension(double rotation, const QvGePoint3d& xLine1Point,
                       const QvGePoint3d& xLine2Point, const QvGePoint3d& dimLinePoint)
      : QvDbLengthDimension(xLine1Point, xLine2Point, dimLinePoint), rotation_(rotation) {}

  double rotation() const;
  Vexa::ErrorStatus setRotation(double rotation);

 protected:
  // The distance projected on the dimension line's direction.
  double subMeasurement(const QvGePoint3d& xLine1Point,
                        const QvGePoint3d& xLine2Point) const override;
  QvGeVector3d subDimLineDirection(const QvGePoint3d& xLine1Point,
                                   const QvGePoint3d& xLine2Point) const override;
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;

 private:
  // The dimension line's direction in the world, for a plane of the given normal.
  QvGeVector3d direction(const QvGeVector3d& normal) const;

  double rotation_ = 0.0;
};
