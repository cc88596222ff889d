#include "sdk/db/QvDbLayerTableRecord.h"

#include "sdk/db/QvDbLinetypeTableRecord.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbLayerTableRecord)

bool QvDbLayerTableRecord::isOff() const {
  assertReadEnabled();
  return off_;
}

Vexa::ErrorStatus QvDbLayerTableRecord::setIsOff(bool off) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  off_ = off;
  return Vexa::eOk;
}

bool QvDbLayerTableRecord::isFrozen() const {
  assertReadEnabled();
  return frozen_;
}

Vexa::ErrorStatus QvDbLayerTableRecord::setIsFrozen(bool frozen) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  frozen_ = frozen;
  return Vexa::eOk;
}

bool QvDbLayerTableRecord::isLocked() const {
  assertReadEnabled();
  return locked_;
}

Vexa::ErrorStatus QvDbLayerTableRecord::setIsLocked(bool locked) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  locked_ = locked;
  return Vexa::eOk;
}

bool QvDbLayerTableRecord::isPlottable() const {
  assertReadEnabled();
  return plottable_;
}

Vexa::ErrorStatus QvDbLayerTableRecord::setIsPlottable(bool plottable) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  plottable_ = plottable;
  return Vexa::eOk;
}

int16_t QvDbLayerTableRecord::colorIndex() const {
  assertReadEnabled();
  return color_;
}

Vexa::ErrorStatus QvDbLayerTableRecord::setColorIndex(int16_t color) {
  if (color < 1 || color > 255) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  color_ = color;
  return Vexa::eOk;
}

QvDbObjectId QvDbLayerTableRecord::linetypeObjectId() const {
  assertReadEnabled();
  return linetypeId_;
}

Vexa::ErrorStatus QvDbLayerTableRecord::setLinetypeObjectId(QvDbObjectId linetypeId) {
  if (const Vexa::ErrorStatus es = checkReference(linetypeId, QvDbLinetypeTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  linetypeId_ = linetypeId;
  return Vexa::eOk;
}

bool QvDbLayerTableRecord::isRenamable() const {
  return QvDbSymbolTableRecord::isRenamable() && storedName() != L"0";
}

void QvDbLayerTableRecord::visitIds(QvDbIdVisitor& visitor) {
  QvDbSymbolTableRecord::visitIds(visitor);
  if (!linetypeId_.isNull()) visitor.visit(linetypeId_, QvDbIdVisitor::kHardPointer);
}
