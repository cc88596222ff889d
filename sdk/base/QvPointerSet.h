#pragma once

#include <cstddef>

#include "sdk/base/QvPointerIndex.h"

// A set of non-null pointers kept in one open-addressed table: no allocation per member, for
// sets that take many members at a time (the ids a command erased, ...).
class QvPointerSet {
 public:
  // True when `p` was not a member yet (and is now); false for a member or null.
  bool insert(const void* p) {
    const size_t before = index_.size();
    index_.insert(p, before);
    return index_.size() != before;
  }
  bool contains(const void* p) const { return index_.find(p) != QvPointerIndex::npos; }
  size_t size() const { return index_.size(); }
  // Room for `members` members in all without growing again.
  void reserve(size_t members) { index_.reserve(members); }
  void clear() { index_.clear(); }

 private:
  QvPointerIndex index_;
};
