#include "sdk/db/QvDbArcDimension.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/detail/DimensionDrawing.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbArcDimension)

double QvDbArcDimension::subSectorValue(const Sector& sector) const {
  return sector.reach[0][0] * sector.angle;
}

QvString QvDbArcDimension::subSectorText(double value) const {
  return QvString(L"\u2312") + qvdb_detail::dimensionNumber(value);
}

Vexa::ErrorStatus QvDbArcDimension::subTransformBy(const QvGeMatrix3d& xform) {
  if (const Vexa::ErrorStatus es = QvDbCenteredSectorDimension::subTransformBy(xform);
      es != Vexa::eOk)
    return es;
  leader1Point_.transformBy(xform);
  leader2Point_.transformBy(xform);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArcDimension::subGetGeomExtents(QvDbExtents& extents) const {
  if (const Vexa::ErrorStatus es = QvDbCenteredSectorDimension::subGetGeomExtents(extents);
      es != Vexa::eOk)
    return es;
  if (hasLeader_) {
    extents.addPoint(leader1Point_);
    extents.addPoint(leader2Point_);
  }
  return Vexa::eOk;
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
