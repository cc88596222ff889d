#include "sdk/db/QvDbRadialDimensionLarge.h"

#include <cmath>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/detail/DimensionDrawing.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRadialDimensionLarge)

using namespace qvdb_detail;

Vexa::ErrorStatus QvDbRadialDimensionLarge::setJogAngle(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  return setGeometryValue(jogAngle_, angle);
}

double QvDbRadialDimensionLarge::measuredValue() const {
  return center_.distanceTo(chordPoint_);
}

void QvDbRadialDimensionLarge::getDefinitionPoints(QvGePoint3dArray& points) const {
  points.append(center_);
  points.append(chordPoint_);
  points.append(overrideCenter_);
  points.append(jogPoint_);
}

void QvDbRadialDimensionLarge::setDefinitionPoints(const QvGePoint3dArray& points) {
  center_ = points[0];
  chordPoint_ = points[1];
  overrideCenter_ = points[2];
  jogPoint_ = points[3];
}

Vexa::ErrorStatus QvDbRadialDimensionLarge::subMakeBlockEntities(
    const BlockSizes& sizes, bool placeText, QvGePoint3d& textPosition,
    QvArray<QvDbEntity*>& entities) const {
  const QvGeVector3d normal = this->normal();
  QvGeVector3d inward = center_ - chordPoint_;
  inward = inward.isZeroLength() ? -normal.perpVector() : inward.normal();
  // Where the line from the chord point leaves towards the jog.
  const QvGePoint3d jogFoot = chordPoint_ + inward * (jogPoint_ - chordPoint_).dotProduct(inward);
  entities.append(new QvDbLine(chordPoint_, jogFoot));
  if (!jogFoot.isEqualTo(jogPoint_)) entities.append(new QvDbLine(jogFoot, jogPoint_));
  if (!jogPoint_.isEqualTo(overrideCenter_))
    entities.append(new QvDbLine(jogPoint_, overrideCenter_));
  entities.append(dimensionArrowhead(chordPoint_, inward, sizes.arrowSize, normal));
  const QvGeVector3d reading = readingDirection(inward, normal);
  if (placeText) {
    const QvGeVector3d upward = normal.crossProduct(reading).normal();
    const QvGePoint3d middle = chordPoint_ + (jogFoot - chordPoint_) * 0.5;
    textPosition = middle + upward * (sizes.textGap + sizes.textHeight / 2.0);
  }
  entities.append(dimensionLabel(textPosition, reading, normal, sizes.textHeight,
                                 QvString(L"R") + dimensionNumber(measuredValue())));
  return Vexa::eOk;
}
