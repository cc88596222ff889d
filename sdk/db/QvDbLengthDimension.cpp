#include "sdk/db/QvDbLengthDimension.h"

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/detail/DimensionDrawing.h"

using namespace qvdb_detail;

QvDbLengthDimension::QvDbLengthDimension(const QvGePoint3d& xLine1Point,
                                         const QvGePoint3d& xLine2Point,
                                         const QvGePoint3d& dimLinePoint)
    : xLine1Point_(xLine1Point), xLine2Point_(xLine2Point), dimLinePoint_(dimLinePoint) {}

QvGePoint3d QvDbLengthDimension::xLine1Point() const {
  assertReadEnabled();
  return xLine1Point_;
}

Vexa::ErrorStatus QvDbLengthDimension::setXLine1Point(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  xLine1Point_ = point;
  noteGeometryChanged();
  return Vexa::eOk;
}

QvGePoint3d QvDbLengthDimension::xLine2Point() const {
  assertReadEnabled();
  return xLine2Point_;
}

Vexa::ErrorStatus QvDbLengthDimension::setXLine2Point(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  xLine2Point_ = point;
  noteGeometryChanged();
  return Vexa::eOk;
}

QvGePoint3d QvDbLengthDimension::dimLinePoint() const {
  assertReadEnabled();
  return dimLinePoint_;
}

Vexa::ErrorStatus QvDbLengthDimension::setDimLinePoint(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dimLinePoint_ = point;
  noteGeometryChanged();
  return Vexa::eOk;
}

double QvDbLengthDimension::measuredValue() const {
  return subMeasurement(xLine1Point_, xLine2Point_);
}

void QvDbLengthDimension::getDefinitionPoints(QvGePoint3dArray& points) const {
  points.append(xLine1Point_);
  points.append(xLine2Point_);
  points.append(dimLinePoint_);
}

void QvDbLengthDimension::setDefinitionPoints(const QvGePoint3dArray& points) {
  xLine1Point_ = points[0];
  xLine2Point_ = points[1];
  dimLinePoint_ = points[2];
}

Vexa::ErrorStatus QvDbLengthDimension::subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                                            QvGePoint3d& textPosition,
                                                            QvArray<QvDbEntity*>& entities) const {
  const QvGeVector3d normal = this->normal();
  const QvGeVector3d along = subDimLineDirection(xLine1Point_, xLine2Point_);
  const QvGePoint3d foot1 =
      dimLinePoint_ + along * (xLine1Point_ - dimLinePoint_).dotProduct(along);
  const QvGePoint3d foot2 =
      dimLinePoint_ + along * (xLine2Point_ - dimLinePoint_).dotProduct(along);
  // Towards the dimension line, for a measured point that lies on it.
  QvGeVector3d across = normal.crossProduct(along).normal();
  if ((dimLinePoint_ - xLine1Point_).dotProduct(across) < 0.0) across = -across;
  // From the first foot to the second.
  QvGeVector3d inward = foot2 - foot1;
  inward = inward.isZeroLength() ? along : inward.normal();

  entities.append(dimensionExtensionLine(xLine1Point_, foot1, across, sizes.extensionOffset,
                                         sizes.extensionBeyond));
  entities.append(dimensionExtensionLine(xLine2Point_, foot2, across, sizes.extensionOffset,
                                         sizes.extensionBeyond));
  entities.append(new QvDbLine(foot1, foot2));
  entities.append(dimensionArrowhead(foot1, inward, sizes.arrowSize, normal));
  entities.append(dimensionArrowhead(foot2, -inward, sizes.arrowSize, normal));

  // The text reads from left to right in the dimension's plane.
  const QvGeVector3d reading = readingDirection(along, normal);
  if (placeText) {
    const QvGeVector3d upward = normal.crossProduct(reading).normal();
    const QvGePoint3d middle = foot1 + (foot2 - foot1) * 0.5;
    textPosition = middle + upward * (sizes.textGap + sizes.textHeight / 2.0);
  }
  entities.append(dimensionLabel(textPosition, reading, normal, sizes.textHeight,
                                 dimensionNumber(subMeasurement(xLine1Point_, xLine2Point_))));
  return Vexa::eOk;
}
