#include "sdk/db/QvDbDictionary.h"

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbDictionary)

QvString QvDbDictionary::keyOf(const wchar_t* key) {
  QvString upper(key);
  upper.makeUpper();
  return upper;
}

const QvDbDictionary::Entry* QvDbDictionary::findLive(const wchar_t* key) const {
  if (!key) return nullptr;
  const auto it = entries_.find(keyOf(key));
  if (it == entries_.end() || it->second.id.isErased()) return nullptr;
  return &it->second;
}

QvDbObjectId QvDbDictionary::peekAt(const wchar_t* key) const {
  const Entry* entry = findLive(key);
  return entry ? entry->id : QvDbObjectId();
}

Vexa::ErrorStatus QvDbDictionary::getAt(const wchar_t* key, QvDbObjectId& id) const {
  id.setNull();
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const Entry* entry = findLive(key);
  if (!entry) return Vexa::eKeyNotFound;
  id = entry->id;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDictionary::getAt(const wchar_t* key, QvDbObject*& object,
                                        QvDb::OpenMode mode) const {
  object = nullptr;
  QvDbObjectId id;
  if (const Vexa::ErrorStatus es = getAt(key, id); es != Vexa::eOk) return es;
  return qvdbOpenObject(object, id, mode);
}

Vexa::ErrorStatus QvDbDictionary::nameAt(QvDbObjectId id, QvString& key) const {
  key.empty();
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  for (const auto& [upper, entry] : entries_) {
    if (entry.id == id && !id.isErased()) {
      key = entry.key;
      return Vexa::eOk;
    }
  }
  return Vexa::eKeyNotFound;
}

bool QvDbDictionary::has(const wchar_t* key) const {
  assertReadEnabled();
  return findLive(key) != nullptr;
}

bool QvDbDictionary::has(QvDbObjectId id) const {
  assertReadEnabled();
  if (id.isNull() || id.isErased()) return false;
  for (const auto& [upper, entry] : entries_)
    if (entry.id == id) return true;
  return false;
}

int QvDbDictionary::numEntries() const {
  assertReadEnabled();
  int count = 0;
  for (const auto& [upper, entry] : entries_)
    if (!entry.id.isErased()) ++count;
  return count;
}

Vexa::ErrorStatus QvDbDictionary::setAt(const wchar_t* key, QvDbObject* value,
                                        QvDbObjectId& valueId) {
  valueId.setNull();
  if (!key || !*key) return Vexa::eInvalidInput;
  if (!value) return Vexa::eNullPtr;
  if (!isWriteEnabled()) return assertWriteEnabled();
  QvDbDatabase* db = database();
  if (!db) return Vexa::eNotInDatabase;
  if (const Vexa::ErrorStatus es = vexaFaultStatus("QvDbDictionary::setAt"); es != Vexa::eOk)
    return es;
  if (value->isResident()) {
    if (value->database() != db) return Vexa::eWrongDatabase;
    if (!value->ownerId().isNull()) return Vexa::eAlreadyInDb;
    if (!value->isWriteEnabled()) return Vexa::eNotOpenForWrite;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const QvString upper = keyOf(key);
  QvDbObjectId replaced;
  if (const auto it = entries_.find(upper); it != entries_.end() && !it->second.id.isErased())
    replaced = it->second.id;
  if (!value->isResident()) {
    if (const Vexa::ErrorStatus es = db->addQvDbObject(valueId, value); es != Vexa::eOk) return es;
  } else {
    valueId = value->objectId();
  }
  value->setOwnerId(objectId());
  entries_[upper] = Entry{QvString(key), valueId};
  if (!replaced.isNull() && replaced != valueId) {
    // The replaced object leaves the dictionary erased.
    QvDbObjectStub* old = replaced.stub();
    db->transactionManager()->recordChange(old);
    old->erased = true;
    old->erasedWithOwner = false;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDictionary::remove(const wchar_t* key) {
  QvDbObjectId id;
  return remove(key, id);
}

Vexa::ErrorStatus QvDbDictionary::remove(const wchar_t* key, QvDbObjectId& removedId) {
  removedId.setNull();
  if (!isWriteEnabled()) return assertWriteEnabled();
  const Entry* entry = findLive(key);
  if (!entry) return Vexa::eKeyNotFound;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  removedId = entry->id;
  entries_.erase(keyOf(key));
  if (QvDbObjectStub* stub = removedId.stub(); stub && stub->object) {
    if (QvDbDatabase* db = database()) db->transactionManager()->recordChange(stub);
    stub->object->ownerId_ = QvDbObjectId();
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDictionary::remove(QvDbObjectId id) {
  if (!isWriteEnabled()) return assertWriteEnabled();
  for (const auto& [upper, entry] : entries_) {
    if (entry.id == id && !id.isErased()) {
      const QvString key = entry.key;
      return remove(key.c_str());
    }
  }
  return Vexa::eKeyNotFound;
}

Vexa::ErrorStatus QvDbDictionary::setName(const wchar_t* oldKey, const wchar_t* newKey) {
  if (!newKey || !*newKey) return Vexa::eInvalidInput;
  if (!isWriteEnabled()) return assertWriteEnabled();
  const Entry* entry = findLive(oldKey);
  if (!entry) return Vexa::eKeyNotFound;
  const QvString newUpper = keyOf(newKey);
  if (newUpper != keyOf(oldKey) && findLive(newKey)) return Vexa::eDuplicateKey;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const QvDbObjectId id = entry->id;
  entries_.erase(keyOf(oldKey));
  entries_[newUpper] = Entry{QvString(newKey), id};
  return Vexa::eOk;
}

QvDbDictionaryIterator* QvDbDictionary::newIterator() const {
  assertReadEnabled();
  std::vector<std::pair<QvString, QvDbObjectId>> live;
  for (const auto& [upper, entry] : entries_)
    if (!entry.id.isErased()) live.emplace_back(entry.key, entry.id);
  return new QvDbDictionaryIterator(std::move(live));
}

QvDbObject* QvDbDictionary::clone() const {
  auto* copy = static_cast<QvDbDictionary*>(QvDbObject::clone());
  copy->entries_.clear();
  return copy;
}

bool QvDbDictionary::copyFrom(const QvRxObject* other) {
  std::map<QvString, Entry> entries = entries_;
  if (!QvDbObject::copyFrom(other)) return false;
  entries_ = std::move(entries);
  return true;
}

void QvDbDictionary::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  for (auto& [upper, entry] : entries_) visitor.visit(entry.id, QvDbIdVisitor::kHardOwner);
}

Vexa::ErrorStatus QvDbDictionary::subErase(bool erasing) {
  for (auto& [upper, entry] : entries_)
    if (const Vexa::ErrorStatus es = eraseOwned(entry.id, erasing); es != Vexa::eOk) return es;
  return QvDbObject::subErase(erasing);
}
