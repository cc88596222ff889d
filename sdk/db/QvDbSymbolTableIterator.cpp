#include "sdk/db/QvDbSymbolTableIterator.h"

#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolTableRecord.h"

namespace {

const QvDbSymbolTable* tableOf(QvDbObjectId tableId) {
  const QvDbObjectStub* stub = tableId.stub();
  return stub ? QvDbSymbolTable::cast(stub->object) : nullptr;
}

}  // namespace

int QvDbSymbolTableIterator::count() const {
  const QvDbSymbolTable* table = tableOf(tableId_);
  return table ? static_cast<int>(table->records_.size()) : 0;
}

QvDbObjectId QvDbSymbolTableIterator::at(int index) const {
  return tableOf(tableId_)->records_[static_cast<size_t>(index)];
}

bool QvDbSymbolTableIterator::skippable(int index) const {
  return at(index).isErased();
}

void QvDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted) {
  const int n = count();
  if (atBeginning) {
    index_ = 0;
    while (skipDeleted && index_ < n && skippable(index_)) ++index_;
  } else {
    index_ = n - 1;
    while (skipDeleted && index_ >= 0 && skippable(index_)) --index_;
  }
}

bool QvDbSymbolTableIterator::done() const {
  return index_ < 0 || index_ >= count();
}

void QvDbSymbolTableIterator::step(bool forward, bool skipDeleted) {
  const int n = count();
  if (done()) return;
  do {
    index_ += forward ? 1 : -1;
  } while (skipDeleted && index_ >= 0 && index_ < n && skippable(index_));
}

Vexa::ErrorStatus QvDbSymbolTableIterator::getRecordId(QvDbObjectId& id) const {
  id.setNull();
  if (done()) return Vexa::eInvalidIndex;
  id = at(index_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSymbolTableIterator::getRecord(QvDbSymbolTableRecord*& record,
                                                     QvDb::OpenMode mode, bool openErased) const {
  record = nullptr;
  QvDbObjectId id;
  if (const Vexa::ErrorStatus es = getRecordId(id); es != Vexa::eOk) return es;
  return qvdbOpenObject(record, id, mode, openErased);
}

Vexa::ErrorStatus QvDbSymbolTableIterator::seek(QvDbObjectId id) {
  const int n = count();
  for (int i = 0; i < n; ++i) {
    if (at(i) == id) {
      index_ = i;
      return Vexa::eOk;
    }
  }
  return Vexa::eKeyNotFound;
}
