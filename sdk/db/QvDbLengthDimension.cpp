#include "sdk/db/QvDbLengthDimension.h"

#include <algorithm>
#include <memory>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"

namespace {

// The measurement as plain text: four decimals at most, without trailing zeros.
QvString measurementText(double value) {
  QvString text = QvString::format(L"%.4f", value);
  while (text.find(L'.') >= 0 && (text.right(1) == L"0" || text.right(1) == L"."))
    text = text.left(text.length() - 1);
  return text == L"-0" ? QvString(L"0") : text;
}

// A filled triangle with its tip at `tip`, its base `size` back along `back` (a unit vector),
// a third of `size` wide.
QvDbSolid* arrowhead(const QvGePoint3d& tip, const QvGeVector3d& back, double size,
                     const QvGeVector3d& normal) {
  const QvGePoint3d base = tip + back * size;
  const QvGeVector3d side = normal.crossProduct(back).normal() * (size / 6.0);
  auto* solid = new QvDbSolid(tip, base + side, base - side);
  solid->setNormal(normal);
  return solid;
}

// From near `origin` (the measured point) to past `foot` (its foot on the dimension line).
QvDbLine* extensionLine(const QvGePoint3d& origin, const QvGePoint3d& foot,
                        const QvGeVector3d& fallback, double offset, double beyond) {
  const double length = origin.distanceTo(foot);
  QvGeVector3d up = foot - origin;
  up = up.isZeroLength() ? fallback : up.normal();
  return new QvDbLine(origin + up * std::min(offset, length), foot + up * beyond);
}

}  // namespace

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

double QvDbLengthDimension::measurement() const {
  assertReadEnabled();
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

  entities.append(
      extensionLine(xLine1Point_, foot1, across, sizes.extensionOffset, sizes.extensionBeyond));
  entities.append(
      extensionLine(xLine2Point_, foot2, across, sizes.extensionOffset, sizes.extensionBeyond));
  entities.append(new QvDbLine(foot1, foot2));
  entities.append(arrowhead(foot1, inward, sizes.arrowSize, normal));
  entities.append(arrowhead(foot2, -inward, sizes.arrowSize, normal));

  // The text reads from left to right in the dimension's plane.
  QvGeVector3d reading = along;
  QvGeVector3d inPlane = along;
  inPlane.transformBy(QvGeMatrix3d::worldToPlane(normal));
  const double vertical = QvGePrecision::kRelative;  // `along` is a unit vector
  if (inPlane.x < -vertical || (inPlane.x <= vertical && inPlane.y < 0.0)) reading = -reading;
  if (placeText) {
    const QvGeVector3d upward = normal.crossProduct(reading).normal();
    const QvGePoint3d middle = foot1 + (foot2 - foot1) * 0.5;
    textPosition = middle + upward * (sizes.textGap + sizes.textHeight / 2.0);
  }
  auto* text = new QvDbMText();
  entities.append(text);
  text->setNormal(normal);
  text->setDirection(reading);
  text->setLocation(textPosition);
  text->setAttachment(QvDbMText::kMiddleCenter);
  text->setTextHeight(sizes.textHeight);
  text->setContents(measurementText(subMeasurement(xLine1Point_, xLine2Point_)).c_str());
  return Vexa::eOk;
}
