#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbEntity;

// Walks the entities of a block table record in order, skipping erased ones unless asked.
// Made by QvDbBlockTableRecord::newIterator; the caller deletes it. Entities appended while it
// walks are reached too.
class QvDbBlockTableRecordIterator {
 public:
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  Vexa::ErrorStatus getEntityId(QvDbObjectId& id) const;
  Vexa::ErrorStatus getEntity(QvDbEntity*& entity, QvDb::OpenMode mode,
                              bool openErased = false) const;
  // Moves to the entity `id`; eKeyNotFound when the record does not hold it.
  Vexa::ErrorStatus seek(QvDbObjectId id);

 private:
  friend class QvDbBlockTableRecord;
  explicit QvDbBlockTableRecordIterator(QvDbObjectId recordId) : recordId_(recordId) {}

  int count() const;
  QvDbObjectId at(int index) const;

  QvDbObjectId recordId_;
  int index_ = 0;
};
