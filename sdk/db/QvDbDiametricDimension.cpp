#include "sdk/db/QvDbDiametricDimension.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbDiametricDimension)

void QvDbDiametricDimension::getDefinitionPoints(QvGePoint3dArray& points) const {
  points.append(chordPoint_);
  points.append(anchor_);
}

void QvDbDiametricDimension::setDefinitionPoints(const QvGePoint3dArray& points) {
  chordPoint_ = points[0];
  anchor_ = points[1];
}
