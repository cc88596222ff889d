#include "sdk/db/QvDbArcDimension.h"

#include "sdk/db/QvDbLine.h"
#include "sdk/db/detail/DimensionDrawing.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbArcDimension)

double QvDbArcDimension::subSectorValue(const Sector& sector) const {
  return sector.reach[0][0] * sector.angle;
}

QvString QvDbArcDimension::subSectorText(double value) const {
  return QvString(L"\u2312") + qvdb_detail::dimensionNumber(value);
}

void QvDbArcDimension::getDefinitionPoints(QvGePoint3dArray& points) const {
  QvDbCenteredSectorDimension::getDefinitionPoints(points);
  points.append(leader1Point_);
  points.append(leader2Point_);
}

void QvDbArcDimension::setDefinitionPoints(const QvGePoint3dArray& points) {
  QvDbCenteredSectorDimension::setDefinitionPoints(points);
  leader1Point_ = points[4];
  leader2Point_ = points[5];
}

Vexa::ErrorStatus QvDbArcDimension::subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                                         QvGePoint3d& textPosition,
                                                         QvArray<QvDbEntity*>& entities) const {
  const Vexa::ErrorStatus es =
      QvDbCenteredSectorDimension::subMakeBlockEntities(sizes, placeText, textPosition, entities);
  if (es == Vexa::eOk && hasLeader_ && !leader1Point_.isEqualTo(leader2Point_))
    entities.append(new QvDbLine(leader1Point_, leader2Point_));
  return es;
}
