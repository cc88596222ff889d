#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbObject;

// The entries of a dictionary (key and id), as they were when the iterator was made.
class QvDbDictionaryIterator {
 public:
  bool done() const { return index_ >= entries_.size(); }
  bool next() {
    if (!done()) ++index_;
    return !done();
  }
  QvString name() const { return done() ? QvString() : entries_[index_].first; }
  QvDbObjectId objectId() const { return done() ? QvDbObjectId() : entries_[index_].second; }
  Vexa::ErrorStatus getObject(QvDbObject*& object, QvDb::OpenMode mode) const;
  // Moves to the entry of `id`; false when there is none.
  bool setPosition(QvDbObjectId id);

 private:
  friend class QvDbDictionary;
  explicit QvDbDictionaryIterator(std::vector<std::pair<QvString, QvDbObjectId>> entries)
      : entries_(std::move(entries)) {}

  std::vector<std::pair<QvString, QvDbObjectId>> entries_;
  size_t index_ = 0;
};
