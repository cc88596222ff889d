#include "sdk/db/QvDbSymbolTableRecord.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbSymbolTableRecord)

namespace {

// The table that owns a resident record, read without opening (the database's bookkeeping).
QvDbSymbolTable* owningTable(const QvDbSymbolTableRecord* record) {
  const QvDbObjectStub* owner = record->ownerId().stub();
  if (!owner || !owner->object) return nullptr;
  return QvDbSymbolTable::cast(owner->object);
}

}  // namespace

Vexa::ErrorStatus QvDbSymbolTableRecord::getName(QvString& name) const {
  const Vexa::ErrorStatus es = assertReadEnabled();
  name = name_;
  return es;
}

QvString QvDbSymbolTableRecord::name() const {
  assertReadEnabled();
  return name_;
}

QvString QvDbSymbolTableRecord::nameOf(QvDbObjectId recordId) {
  const QvDbObjectStub* stub = recordId.stub();
  const auto* record = stub ? QvDbSymbolTableRecord::cast(stub->object) : nullptr;
  return record ? record->name_ : QvString();
}

Vexa::ErrorStatus QvDbSymbolTableRecord::setName(const wchar_t* newName) {
  return rename(QvString(newName), true);
}

Vexa::ErrorStatus QvDbSymbolTableRecord::rename(const QvString& name, bool checkRenamable) {
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (name == name_) return Vexa::eOk;
  if (checkRenamable && !name_.isEmpty() && !isRenamable()) return Vexa::eNotApplicable;
  QvDbSymbolTable* table = owningTable(this);
  if (table) {
    if (const Vexa::ErrorStatus es = table->checkNewName(this, name); es != Vexa::eOk) return es;
  } else if (!acceptsSpecialName(name) &&
             qvdbGetSymbolSvc()->validateSymbolName(name, true, true) != Vexa::eOk) {
    return Vexa::eInvalidSymbolName;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (table) {
    database()->transactionManager()->recordChange(table->objectId().stub());
    const QvString oldKey = QvDbSymbolTable::keyOf(name_);
    const auto it = table->index_.find(oldKey);
    if (it != table->index_.end() && it->second == objectId()) table->index_.erase(it);
    table->index_[QvDbSymbolTable::keyOf(name)] = objectId();
  }
  name_ = name;
  return Vexa::eOk;
}

bool QvDbSymbolTableRecord::isDependent() const {
  assertReadEnabled();
  return dependent_;
}

bool QvDbSymbolTableRecord::isResolved() const {
  assertReadEnabled();
  return resolved_;
}

Vexa::ErrorStatus QvDbSymbolTableRecord::setDependencyFlags(bool dependent, bool resolved) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dependent_ = dependent;
  resolved_ = resolved;
  return Vexa::eOk;
}

bool QvDbSymbolTableRecord::isRenamable() const {
  assertReadEnabled();
  return !dependent_;
}

bool QvDbSymbolTableRecord::acceptsSpecialName(const QvString&) const {
  return false;
}

Vexa::ErrorStatus QvDbSymbolTableRecord::subErase(bool erasing) {
  QvDbSymbolTable* table = owningTable(this);
  if (!erasing && table) {
    const QvString key = QvDbSymbolTable::keyOf(name_);
    const QvDbObjectId holder = table->findLive(name_);
    if (!holder.isNull() && holder != objectId()) return Vexa::eDuplicateKey;
    database()->transactionManager()->recordChange(table->objectId().stub());
    table->index_[key] = objectId();
  }
  return QvDbObject::subErase(erasing);
}
