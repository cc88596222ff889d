#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbSymbolTable;
class QvDbSymbolTableRecord;

// Walks the records of a symbol table in the order they were added, skipping erased ones
// unless asked. Made by QvDbSymbolTable::newIterator; the caller deletes it. It reads the table
// through its id, so it stays usable after the table is closed.
class QvDbSymbolTableIterator {
 public:
  virtual ~QvDbSymbolTableIterator() = default;

  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  Vexa::ErrorStatus getRecordId(QvDbObjectId& id) const;
  Vexa::ErrorStatus getRecord(QvDbSymbolTableRecord*& record, QvDb::OpenMode mode,
                              bool openErased = false) const;
  // Moves to the record `id`; eKeyNotFound when the table has no such record.
  Vexa::ErrorStatus seek(QvDbObjectId id);

 protected:
  friend class QvDbSymbolTable;
  explicit QvDbSymbolTableIterator(QvDbObjectId tableId) : tableId_(tableId) {}

 private:
  int count() const;
  QvDbObjectId at(int index) const;
  bool skippable(int index) const;

  QvDbObjectId tableId_;
  int index_ = 0;
};

// The same, handing out records of the table's own class.
template <class Record>
class QvDbSymbolTableIteratorOf : public QvDbSymbolTableIterator {
 public:
  using QvDbSymbolTableIterator::getRecord;
  Vexa::ErrorStatus getRecord(Record*& record, QvDb::OpenMode mode, bool openErased = false) const {
    QvDbSymbolTableRecord* base = nullptr;
    const Vexa::ErrorStatus es = QvDbSymbolTableIterator::getRecord(base, mode, openErased);
    record = static_cast<Record*>(base);
    return es;
  }

 private:
  template <class>
  friend class QvDbSymbolTableOf;
  explicit QvDbSymbolTableIteratorOf(QvDbObjectId tableId) : QvDbSymbolTableIterator(tableId) {}
};
