#include "sdk/db/QvDbBlockTableRecordIterator.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectStub.h"

int QvDbBlockTableRecordIterator::count() const {
  const QvDbObjectStub* stub = recordId_.stub();
  const auto* record = stub ? QvDbBlockTableRecord::cast(stub->object) : nullptr;
  return record ? static_cast<int>(record->entities_.size()) : 0;
}

QvDbObjectId QvDbBlockTableRecordIterator::at(int index) const {
  const auto* record = QvDbBlockTableRecord::cast(recordId_.stub()->object);
  return record->entities_[static_cast<size_t>(index)];
}

void QvDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted) {
  const int n = count();
  if (atBeginning) {
    index_ = 0;
    while (skipDeleted && index_ < n && at(index_).isErased()) ++index_;
  } else {
    index_ = n - 1;
    while (skipDeleted && index_ >= 0 && at(index_).isErased()) --index_;
  }
}

bool QvDbBlockTableRecordIterator::done() const {
  return index_ < 0 || index_ >= count();
}

void QvDbBlockTableRecordIterator::step(bool forward, bool skipDeleted) {
  if (done()) return;
  const int n = count();
  do {
    index_ += forward ? 1 : -1;
  } while (skipDeleted && index_ >= 0 && index_ < n && at(index_).isErased());
}

Vexa::ErrorStatus QvDbBlockTableRecordIterator::getEntityId(QvDbObjectId& id) const {
  id.setNull();
  if (done()) return Vexa::eInvalidIndex;
  id = at(index_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbBlockTableRecordIterator::getEntity(QvDbEntity*& entity, QvDb::OpenMode mode,
                                                          bool openErased) const {
  entity = nullptr;
  QvDbObjectId id;
  if (const Vexa::ErrorStatus es = getEntityId(id); es != Vexa::eOk) return es;
  return qvdbOpenObject(entity, id, mode, openErased);
}

Vexa::ErrorStatus QvDbBlockTableRecordIterator::seek(QvDbObjectId id) {
  const int n = count();
  for (int i = 0; i < n; ++i) {
    if (at(i) == id) {
      index_ = i;
      return Vexa::eOk;
    }
  }
  return Vexa::eKeyNotFound;
}
