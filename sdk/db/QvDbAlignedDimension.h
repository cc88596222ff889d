#pragma once

#include "sdk/db/QvDbLengthDimension.h"

// A dimension of the straight distance between its two extension-line origins; its dimension
// line runs parallel to the line through them.
class QvDbAlignedDimension : public QvDbLengthDimension {
  QVDB_DECLARE_MEMBERS(QvDbAlignedDimension);

  QvDbAlignedDimension() = default;
  QvDbAlignedDimension(const QvGePoint3d& xLine1Point, const QvGePoint3d& xLine2Point,
                       const QvGePoint3d& dimLinePoint)
      : QvDbLengthDimension(xLine1Point, xLine2Point, dimLinePoint) {}

 protected:
  double subMeasurement(const QvGePoint3d& xLine1Point,
                        const QvGePoint3d& xLine2Point) const override;
  // Along the line through the two points; the plane's x axis when they coincide.
  QvGeVector3d subDimLineDirection(const QvGePoint3d& xLine1Point,
                                   const QvGePoint3d& xLine2Point) const override;
};
