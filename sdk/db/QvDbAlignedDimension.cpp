#include "sdk/db/QvDbAlignedDimension.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbAlignedDimension)

double QvDbAlignedDimension::subMeasurement(const QvGePoint3d& xLine1Point,
                                            const QvGePoint3d& xLine2Point) const {
  return xLine1Point.distanceTo(xLine2Point);
}

QvGeVector3d QvDbAlignedDimension::subDimLineDirection(const QvGePoint3d& xLine1Point,
                                                       const QvGePoint3d& xLine2Point) const {
  const QvGeVector3d normal = this->normal();
  QvGeVector3d along = xLine2Point - xLine1Point;
  along -= normal * along.dotProduct(normal);
  return along.isZeroLength() ? normal.perpVector() : along.normal();
}
