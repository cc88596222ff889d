#pragma once

#include "sdk/db/QvDbIdMapping.h"

// Walks the pairs of an id mapping in the order they were added.
class QvDbIdMappingIter {
 public:
  explicit QvDbIdMappingIter(const QvDbIdMapping& map) : map_(&map) {}

  Vexa::ErrorStatus iterateOn(const QvDbIdMapping& map) {
    map_ = &map;
    index_ = 0;
    return Vexa::eOk;
  }
  void start() { index_ = 0; }
  bool done() const { return index_ >= map_->pairs_.size(); }
  bool next() {
    if (!done()) ++index_;
    return !done();
  }
  // The pair at the position; false when the walk is done.
  bool getMap(QvDbIdPair& pair) const {
    if (done()) return false;
    pair = map_->pairs_[index_];
    return true;
  }

 private:
  const QvDbIdMapping* map_;
  size_t index_ = 0;
};
