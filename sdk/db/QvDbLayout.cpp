#include "sdk/db/QvDbLayout.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbLayout)

Vexa::ErrorStatus QvDbLayout::getLayoutName(QvString& name) const {
  const Vexa::ErrorStatus es = assertReadEnabled();
  name = name_;
  return es;
}

QvString QvDbLayout::layoutName() const {
  assertReadEnabled();
  return name_;
}

Vexa::ErrorStatus QvDbLayout::setLayoutName(const wchar_t* name) {
  const QvString newName(name);
  if (qvdbGetSymbolSvc()->validateSymbolName(newName, false, true) != Vexa::eOk)
    return Vexa::eInvalidSymbolName;
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (newName == name_) return Vexa::eOk;
  // Inside its dictionary the key follows the name.
  QvDbDictionary* owner = nullptr;
  const bool inDictionary = !ownerId().isNull() && !name_.isEmpty();
  if (inDictionary) {
    if (const Vexa::ErrorStatus es = qvdbOpenObject(owner, ownerId(), QvDb::kForWrite);
        es != Vexa::eOk)
      return es;
    const Vexa::ErrorStatus es = owner->setName(name_.c_str(), newName.c_str());
    owner->close();
    if (es != Vexa::eOk) return es;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  name_ = newName;
  return Vexa::eOk;
}

QvDbObjectId QvDbLayout::getBlockTableRecordId() const {
  assertReadEnabled();
  return block_;
}

Vexa::ErrorStatus QvDbLayout::setBlockTableRecordId(QvDbObjectId blockId) {
  if (const Vexa::ErrorStatus es = checkReference(blockId, QvDbBlockTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  block_ = blockId;
  return Vexa::eOk;
}

int QvDbLayout::getTabOrder() const {
  assertReadEnabled();
  return tabOrder_;
}

Vexa::ErrorStatus QvDbLayout::setTabOrder(int order) {
  if (order < 0) return Vexa::eOutOfRange;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  tabOrder_ = order;
  return Vexa::eOk;
}

bool QvDbLayout::modelType() const {
  assertReadEnabled();
  return QvDbSymbolTableRecord::nameOf(block_).compareNoCase(kQvDbModelSpace) == 0;
}

void QvDbLayout::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  if (!block_.isNull()) visitor.visit(block_, QvDbIdVisitor::kSoftPointer);
}
