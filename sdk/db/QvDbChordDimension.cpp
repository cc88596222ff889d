#include "sdk/db/QvDbChordDimension.h"

#include <cmath>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/detail/DimensionDrawing.h"
#include "sdk/ge/QvGeMatrix3d.h"

using namespace qvdb_detail;

Vexa::ErrorStatus QvDbChordDimension::setLeaderLength(double length) {
  if (!std::isfinite(length) || length < 0.0) return Vexa::eInvalidInput;
  return setGeometryValue(leaderLength_, length);
}

double QvDbChordDimension::measuredValue() const {
  return anchor_.distanceTo(chordPoint_);
}

Vexa::ErrorStatus QvDbChordDimension::subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                                           QvGePoint3d& textPosition,
                                                           QvArray<QvDbEntity*>& entities) const {
  const QvGeVector3d normal = this->normal();
  QvGeVector3d outward = chordPoint_ - anchor_;
  outward = outward.isZeroLength() ? normal.perpVector() : outward.normal();
  const QvGePoint3d leaderEnd = chordPoint_ + outward * leaderLength_;
  entities.append(new QvDbLine(anchor_, leaderEnd));
  entities.append(dimensionArrowhead(chordPoint_, -outward, sizes.arrowSize, normal));
  if (subArrowAtAnchor())
    entities.append(dimensionArrowhead(anchor_, outward, sizes.arrowSize, normal));
  const QvGeVector3d reading = readingDirection(outward, normal);
  if (placeText) {
    const QvGeVector3d upward = normal.crossProduct(reading).normal();
    const QvGePoint3d middle = anchor_ + (leaderEnd - anchor_) * 0.5;
    textPosition = middle + upward * (sizes.textGap + sizes.textHeight / 2.0);
  }
  entities.append(dimensionLabel(textPosition, reading, normal, sizes.textHeight,
                                 subPrefix() + dimensionNumber(measuredValue())));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbChordDimension::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d unit = chordPoint_ - anchor_;
  unit = unit.isZeroLength() ? QvGeVector3d::kXAxis : unit.normal();
  if (const Vexa::ErrorStatus es = QvDbDimension::subTransformBy(xform); es != Vexa::eOk) return es;
  // The leader's own length along the line, carried as the line is.
  leaderLength_ *= unit.transformBy(xform).length();
  return Vexa::eOk;
}
