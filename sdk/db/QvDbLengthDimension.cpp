#include "sdk/db/QvDbLengthDimension.h"

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
  return Vexa::eOk;
}

QvGePoint3d QvDbLengthDimension::xLine2Point() const {
  assertReadEnabled();
  return xLine2Point_;
}

Vexa::ErrorStatus QvDbLengthDimension::setXLine2Point(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  xLine2Point_ = point;
  return Vexa::eOk;
}

QvGePoint3d QvDbLengthDimension::dimLinePoint() const {
  assertReadEnabled();
  return dimLinePoint_;
}

Vexa::ErrorStatus QvDbLengthDimension::setDimLinePoint(const QvGePoint3d& point) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dimLinePoint_ = point;
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
