#include "sdk/db/QvDbRadialDimension.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRadialDimension)

void QvDbRadialDimension::getDefinitionPoints(QvGePoint3dArray& points) const {
  points.append(anchor_);
  points.append(chordPoint_);
}

void QvDbRadialDimension::setDefinitionPoints(const QvGePoint3dArray& points) {
  anchor_ = points[0];
  chordPoint_ = points[1];
}
