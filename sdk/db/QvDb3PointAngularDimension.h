#pragma once

#include "sdk/db/QvDbSectorDimension.h"

// A dimension of the angle at centerPoint between the rays through xLine1Point and
// xLine2Point, on the side where arcPoint lies (the angle may exceed pi); the measurement is in
// radians.
class QvDb3PointAngularDimension : public QvDbCenteredSectorDimension {
  QVDB_DECLARE_MEMBERS(QvDb3PointAngularDimension);

  QvDb3PointAngularDimension() = default;
  QvDb3PointAngularDimension(const QvGePoint3d& centerPoint, const QvGePoint3d& xLine1Point,
                             const QvGePoint3d& xLine2Point, const QvGePoint3d& arcPoint)
      : QvDbCenteredSectorDimension(centerPoint, xLine1Point, xLine2Point, arcPoint) {}
};
