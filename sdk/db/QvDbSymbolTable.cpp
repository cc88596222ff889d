#include "sdk/db/QvDbSymbolTable.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbSymbolTable)

namespace {

// Whether a name is its own key already (no letter that upper case changes): found without a
// copy.
bool isKey(std::wstring_view name) {
  for (const wchar_t c : name)
    if (c >= 0x80 || (c >= L'a' && c <= L'z')) return false;
  return true;
}

}  // namespace

QvString QvDbSymbolTable::keyOf(const QvString& name) {
  QvString key = name;
  key.makeUpper();
  return key;
}

QvDbObjectId QvDbSymbolTable::findAny(std::wstring_view name) const {
  // Records without a name (text styles of shape files) are found by their ids only.
  if (name.empty()) return QvDbObjectId();
  const auto it = isKey(name) ? index_.find(name) : index_.find(keyOf(QvString(name)));
  return it == index_.end() ? QvDbObjectId() : it->second;
}

QvDbObjectId QvDbSymbolTable::findLive(std::wstring_view name) const {
  const QvDbObjectId id = findAny(name);
  return id.isErased() ? QvDbObjectId() : id;
}

Vexa::ErrorStatus QvDbSymbolTable::getAt(const wchar_t* name, QvDbObjectId& id,
                                         bool getErased) const {
  id.setNull();
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!name) return Vexa::eInvalidInput;
  id = getErased ? findAny(std::wstring_view(name)) : findLive(std::wstring_view(name));
  return id.isNull() ? Vexa::eKeyNotFound : Vexa::eOk;
}

Vexa::ErrorStatus QvDbSymbolTable::getAt(const wchar_t* name, QvDbSymbolTableRecord*& record,
                                         QvDb::OpenMode mode, bool openErased) const {
  record = nullptr;
  QvDbObjectId id;
  if (const Vexa::ErrorStatus es = getAt(name, id, openErased); es != Vexa::eOk) return es;
  return qvdbOpenObject(record, id, mode, openErased);
}

bool QvDbSymbolTable::has(const wchar_t* name) const {
  assertReadEnabled();
  return name && !findLive(std::wstring_view(name)).isNull();
}

bool QvDbSymbolTable::has(QvDbObjectId id) const {
  assertReadEnabled();
  if (id.isNull() || id.isErased()) return false;
  const QvDbObjectStub* stub = id.stub();
  return stub->object && stub->object->ownerId() == objectId() && !objectId().isNull();
}

bool QvDbSymbolTable::isAnonymousPrefix(const QvString&) const {
  return false;
}

Vexa::ErrorStatus QvDbSymbolTable::checkNewName(const QvDbSymbolTableRecord* record,
                                                const QvString& name) const {
  const QvDbDatabase* db = database();
  const bool extended = db ? db->extnames() : true;
  if (!record->acceptsSpecialName(name) &&
      qvdbGetSymbolSvc()->validateSymbolName(name, true, extended) != Vexa::eOk)
    return Vexa::eInvalidSymbolName;
  const QvDbObjectId holder = findLive(name);
  if (!holder.isNull() && holder != record->objectId()) return Vexa::eDuplicateKey;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSymbolTable::add(QvDbSymbolTableRecord* record) {
  QvDbObjectId id;
  return add(id, record);
}

Vexa::ErrorStatus QvDbSymbolTable::add(QvDbObjectId& id, QvDbSymbolTableRecord* record) {
  id.setNull();
  if (!record) return Vexa::eNullPtr;
  if (!isWriteEnabled()) return assertWriteEnabled();
  QvDbDatabase* db = database();
  if (!db) return Vexa::eNotInDatabase;
  if (!record->isKindOf(recordClass())) return Vexa::eWrongObjectType;
  if (record->isResident()) {
    if (record->database() != db) return Vexa::eWrongDatabase;
    if (!record->ownerId().isNull()) return Vexa::eAlreadyInDb;
  }
  QvString name = record->name_;
  if (isAnonymousPrefix(name)) name = db->newAnonymousName(name, this);
  if (const Vexa::ErrorStatus es = checkNewName(record, name); es != Vexa::eOk) return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (!record->isResident()) {
    if (const Vexa::ErrorStatus es = db->addQvDbObject(id, record); es != Vexa::eOk) return es;
  } else {
    id = record->objectId();
  }
  record->name_ = name;
  record->ownerId_ = objectId();
  records_.push_back(id);
  index_[keyOf(name)] = id;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSymbolTable::newIterator(QvDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const {
  iterator = nullptr;
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  iterator = new QvDbSymbolTableIterator(objectId());
  iterator->start(atBeginning, skipDeleted);
  return Vexa::eOk;
}

int QvDbSymbolTable::numRecords(bool includeErased) const {
  assertReadEnabled();
  if (includeErased) return static_cast<int>(records_.size());
  int count = 0;
  for (const QvDbObjectId& id : records_)
    if (!id.isErased()) ++count;
  return count;
}

QvDbObject* QvDbSymbolTable::clone() const {
  auto* copy = static_cast<QvDbSymbolTable*>(QvDbObject::clone());
  copy->records_.clear();
  copy->index_.clear();
  return copy;
}

bool QvDbSymbolTable::copyFrom(const QvRxObject* other) {
  std::vector<QvDbObjectId> records = records_;
  Index index = index_;
  if (!QvDbObject::copyFrom(other)) return false;
  records_ = std::move(records);
  index_ = std::move(index);
  return true;
}

void QvDbSymbolTable::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  bool changed = false;
  for (QvDbObjectId& id : records_) {
    const QvDbObjectId before = id;
    visitor.visit(id, QvDbIdVisitor::kHardOwner);
    changed = changed || id != before;
  }
  if (!changed) return;
  // The records were replaced (by their clones): the index follows them.
  index_.clear();
  for (const QvDbObjectId& id : records_) {
    const QvDbObjectStub* stub = id.stub();
    if (const auto* record = stub ? QvDbSymbolTableRecord::cast(stub->object) : nullptr)
      index_[keyOf(record->name_)] = id;
  }
}
