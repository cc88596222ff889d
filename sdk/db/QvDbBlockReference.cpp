#include "sdk/db/QvDbBlockReference.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbBlockReference)

QvDbObjectId QvDbBlockReference::blockTableRecord() const {
  assertReadEnabled();
  return block_;
}

Vexa::ErrorStatus QvDbBlockReference::setBlockTableRecord(QvDbObjectId blockId) {
  if (!blockId.isNull()) {
    if (blockId.objectClass() != QvDbBlockTableRecord::desc()) return Vexa::eWrongObjectType;
    if (isResident() && blockId.database() != database()) return Vexa::eWrongDatabase;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  block_ = blockId;
  return Vexa::eOk;
}

void QvDbBlockReference::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!block_.isNull()) visitor.visit(block_, QvDbIdVisitor::kHardPointer);
}
