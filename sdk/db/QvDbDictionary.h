#pragma once

#include <map>

#include "sdk/db/QvDbObject.h"

class QvDbDictionaryIterator;

// A dictionary of objects by key. It owns its entries: they are erased with it, and an entry
// whose object is erased is hidden (getAt, has and the iterator skip it) until the object is
// unerased. Keys are compared without regard to case and iterated in that order.
class QvDbDictionary : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbDictionary);

  QvDbDictionary() = default;

  Vexa::ErrorStatus getAt(const wchar_t* key, QvDbObjectId& id) const;
  Vexa::ErrorStatus getAt(const wchar_t* key, QvDbObject*& object, QvDb::OpenMode mode) const;
  template <class T>
  Vexa::ErrorStatus getAt(const wchar_t* key, T*& object, QvDb::OpenMode mode) const {
    object = nullptr;
    QvDbObjectId id;
    if (const Vexa::ErrorStatus es = getAt(key, id); es != Vexa::eOk) return es;
    return qvdbOpenObject(object, id, mode);
  }
  // The key of an entry (as it was given).
  Vexa::ErrorStatus nameAt(QvDbObjectId id, QvString& key) const;
  bool has(const wchar_t* key) const;
  bool has(QvDbObjectId id) const;
  int numEntries() const;
  // The live entry of a key without the read check, for the database's own bookkeeping.
  QvDbObjectId peekAt(const wchar_t* key) const;

  // Stores `value` under `key`. The value is a new object (made resident and left open for
  // write; the caller closes it) or a resident object of this database without owner. A live
  // entry of that key is replaced and its object erased. The dictionary must be open for
  // write and in a database; the key must not be empty (eInvalidInput).
  Vexa::ErrorStatus setAt(const wchar_t* key, QvDbObject* value, QvDbObjectId& valueId);
  // Takes an entry out; its object stays in the database without owner (the caller erases it
  // or gives it a new one). eKeyNotFound when there is no live entry of that key.
  Vexa::ErrorStatus remove(const wchar_t* key);
  Vexa::ErrorStatus remove(const wchar_t* key, QvDbObjectId& removedId);
  Vexa::ErrorStatus remove(QvDbObjectId id);
  // Gives an entry another key (eDuplicateKey when it is taken).
  Vexa::ErrorStatus setName(const wchar_t* oldKey, const wchar_t* newKey);

  // The live entries, in key order, as they are now. The caller deletes the iterator.
  QvDbDictionaryIterator* newIterator() const;

  // A copy without entries.
  QvDbObject* clone() const override;
  // The dictionary's entries stay.
  bool copyFrom(const QvRxObject* other) override;
  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  Vexa::ErrorStatus subErase(bool erasing) override;

 private:
  friend class QvDbDatabase;
  friend class QvDbLayoutManager;

  struct Entry {
    QvString key;
    QvDbObjectId id;
  };
  static QvString keyOf(const wchar_t* key);
  const Entry* findLive(const wchar_t* key) const;

  std::map<QvString, Entry> entries_;  // upper-case key -> entry
};
