#include "sdk/db/QvDbAlignedDimension.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbAlignedDimension)

double QvDbAlignedDimension::subMeasurement(const QvGePoint3d& xLine1Point,
                                            const QvGePoint3d& xLine2Point) const {
  return xLine1Point.distanceTo(xLine2Point);
}
