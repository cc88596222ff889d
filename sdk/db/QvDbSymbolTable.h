#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbSymbolTableIterator.h"

class QvDbSymbolTableRecord;

// A table of named records (blocks, layers, styles, ...), owned by the database. Records are
// kept in the order they were added; names are looked up without regard to case. Reading
// needs the table open, adding needs it open for write.
class QvDbSymbolTable : public QvDbObject {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbSymbolTable);

  // The live record of that name (or, with getErased, the last record of that name even when
  // erased): eKeyNotFound when there is none.
  Vexa::ErrorStatus getAt(const wchar_t* name, QvDbObjectId& id, bool getErased = false) const;
  Vexa::ErrorStatus getAt(const wchar_t* name, QvDbSymbolTableRecord*& record, QvDb::OpenMode mode,
                          bool openErased = false) const;
  bool has(const wchar_t* name) const;
  bool has(QvDbObjectId id) const;

  // Adds a record (in no database, or resident in this database without owner): it must be of
  // the table's record class (eWrongObjectType), have a valid name (eInvalidSymbolName) that
  // no live record has (eDuplicateKey). The record is left open for write. Names the table
  // makes anonymous ("*U" for blocks) get the next free number.
  Vexa::ErrorStatus add(QvDbSymbolTableRecord* record);
  Vexa::ErrorStatus add(QvDbObjectId& id, QvDbSymbolTableRecord* record);

  Vexa::ErrorStatus newIterator(QvDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
  int numRecords(bool includeErased = false) const;

  // A copy without records.
  QvDbObject* clone() const override;
  // The table's records stay; only the common data is taken.
  bool copyFrom(const QvRxObject* other) override;
  void visitIds(QvDbIdVisitor& visitor) override;

  // The class of the table's records.
  virtual const QvRxClass* recordClass() const = 0;
  // Whether names of the form prefix alone ("*U") are numbered by the table.
  virtual bool isAnonymousPrefix(const QvString& name) const;

 protected:
  QvDbSymbolTable() = default;
  QvDbSymbolTable(const QvDbSymbolTable&) = default;
  QvDbSymbolTable& operator=(const QvDbSymbolTable&) = default;

 private:
  friend class QvDbSymbolTableIterator;
  friend class QvDbSymbolTableRecord;
  friend class QvDbDatabase;
  friend class QvDbObjectCloner;
  friend class QvDbSmartBlock;

  static QvString keyOf(const QvString& name);
  // Without the read assertion, for the database's own lookups.
  QvDbObjectId findLive(std::wstring_view name) const;
  QvDbObjectId findAny(std::wstring_view name) const;
  QvDbObjectId findLive(const QvString& name) const {
    return findLive(std::wstring_view(name.wstr()));
  }
  QvDbObjectId findAny(const QvString& name) const {
    return findAny(std::wstring_view(name.wstr()));
  }
  Vexa::ErrorStatus checkNewName(const QvDbSymbolTableRecord* record, const QvString& name) const;

  std::vector<QvDbObjectId> records_;
  // Keys are found by a view of the name, without a copy.
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::wstring_view key) const noexcept { return qvNameHash(key); }
    size_t operator()(const QvString& key) const noexcept {
      return (*this)(std::wstring_view(key.wstr()));
    }
  };
  struct KeyEqual {
    using is_transparent = void;
    static std::wstring_view view(std::wstring_view key) { return key; }
    static std::wstring_view view(const QvString& key) { return key.wstr(); }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const noexcept {
      return view(a) == view(b);
    }
  };
  using Index = std::unordered_map<QvString, QvDbObjectId, KeyHash, KeyEqual>;
  Index index_;  // upper-case name -> last record of it
};

// A symbol table whose records are of class Record: getAt and newIterator hand them out typed.
template <class Record>
class QvDbSymbolTableOf : public QvDbSymbolTable {
 public:
  using Iterator = QvDbSymbolTableIteratorOf<Record>;
  using QvDbSymbolTable::getAt;
  using QvDbSymbolTable::newIterator;

  Vexa::ErrorStatus getAt(const wchar_t* name, Record*& record, QvDb::OpenMode mode,
                          bool openErased = false) const {
    QvDbSymbolTableRecord* base = nullptr;
    const Vexa::ErrorStatus es = QvDbSymbolTable::getAt(name, base, mode, openErased);
    record = static_cast<Record*>(base);
    return es;
  }
  Vexa::ErrorStatus newIterator(Iterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const {
    iterator = nullptr;
    if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
    iterator = new Iterator(objectId());
    iterator->start(atBeginning, skipDeleted);
    return Vexa::eOk;
  }
  const QvRxClass* recordClass() const override { return Record::desc(); }

 protected:
  QvDbSymbolTableOf() = default;
  QvDbSymbolTableOf(const QvDbSymbolTableOf&) = default;
  QvDbSymbolTableOf& operator=(const QvDbSymbolTableOf&) = default;
};
