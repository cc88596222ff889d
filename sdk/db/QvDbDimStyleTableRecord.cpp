#include "sdk/db/QvDbDimStyleTableRecord.h"

#include <cmath>

#include "sdk/db/QvDbTextStyleTableRecord.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbDimStyleTableRecord)

double QvDbDimStyleTableRecord::dimscale() const {
  assertReadEnabled();
  return dimscale_;
}

Vexa::ErrorStatus QvDbDimStyleTableRecord::setDimscale(double scale) {
  if (!std::isfinite(scale) || scale < 0.0) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dimscale_ = scale;
  return Vexa::eOk;
}

double QvDbDimStyleTableRecord::dimtxt() const {
  assertReadEnabled();
  return dimtxt_;
}

Vexa::ErrorStatus QvDbDimStyleTableRecord::setDimtxt(double height) {
  if (!std::isfinite(height) || height <= 0.0) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dimtxt_ = height;
  return Vexa::eOk;
}

QvDbObjectId QvDbDimStyleTableRecord::dimtxsty() const {
  assertReadEnabled();
  return dimtxsty_;
}

Vexa::ErrorStatus QvDbDimStyleTableRecord::setDimtxsty(QvDbObjectId textStyleId) {
  if (const Vexa::ErrorStatus es = checkReference(textStyleId, QvDbTextStyleTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dimtxsty_ = textStyleId;
  return Vexa::eOk;
}

void QvDbDimStyleTableRecord::visitIds(QvDbIdVisitor& visitor) {
  QvDbSymbolTableRecord::visitIds(visitor);
  if (!dimtxsty_.isNull()) visitor.visit(dimtxsty_, QvDbIdVisitor::kHardPointer);
}
