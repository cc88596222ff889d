#pragma once

#include <vector>

#include "sdk/base/QvPointerIndex.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbIdPair.h"

class QvDbDatabase;

// What a clone operation made of each source object: one pair per key, in the order they
// were added. Filled by QvDbDatabase::deepCloneObjects and QvDbDatabase::insert; walked with
// QvDbIdMappingIter.
class QvDbIdMapping {
 public:
  QvDbIdMapping() = default;

  // Adds a pair, or replaces the pair of the same key.
  Vexa::ErrorStatus assign(const QvDbIdPair& pair);
  // Fills `pair` from the pair of its key; false when there is none.
  bool compute(QvDbIdPair& pair) const;
  // Replaces the pair of the key; false when there is none.
  bool change(const QvDbIdPair& pair);
  bool del(QvDbObjectId key);
  int numEntries() const { return static_cast<int>(pairs_.size()); }
  void clear();

  QvDbDatabase* origDb() const { return origDb_; }
  QvDbDatabase* destDb() const { return destDb_; }
  void setOrigDb(QvDbDatabase* db) { origDb_ = db; }
  void setDestDb(QvDbDatabase* db) { destDb_ = db; }
  QvDb::DeepCloneType deepCloneContext() const { return context_; }
  void setDeepCloneContext(QvDb::DeepCloneType context) { context_ = context; }
  QvDb::DuplicateRecordCloning duplicateRecordCloning() const { return drc_; }
  void setDuplicateRecordCloning(QvDb::DuplicateRecordCloning drc) { drc_ = drc; }

 private:
  friend class QvDbIdMappingIter;
  friend class QvDbObjectCloner;

  std::vector<QvDbIdPair> pairs_;
  QvPointerIndex index_;  // the position in pairs_ of each key's stub
  QvDbDatabase* origDb_ = nullptr;
  QvDbDatabase* destDb_ = nullptr;
  QvDb::DeepCloneType context_ = QvDb::kDcCopy;
  QvDb::DuplicateRecordCloning drc_ = QvDb::kDrcIgnore;
};
