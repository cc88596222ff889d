#pragma once

#include <cstdint>
#include <iterator>
#include <unordered_set>
#include <vector>

#include "sdk/db/QvDbObjectId.h"

// A selection: entities in the order they were chosen, each once. It keeps them by entity name
// (the id's 64-bit value), so a selection that outlives its drawing names nothing rather than
// dangling: an id whose database is gone reads as null.
class VexaSelectSet {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = QvDbObjectId;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = QvDbObjectId;

    Iterator() = default;
    explicit Iterator(std::vector<int64_t>::const_iterator at) : at_(at) {}
    QvDbObjectId operator*() const { return QvDbObjectId().setFromOldId(*at_); }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++at_;
      return before;
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.at_ == b.at_; }

   private:
    std::vector<int64_t>::const_iterator at_;
  };

  VexaSelectSet() = default;

  int length() const { return static_cast<int>(names_.size()); }
  bool isEmpty() const { return names_.empty(); }
  // The id at a position (null out of range or when its database is gone).
  QvDbObjectId idAt(int index) const;
  // The first id, or null for an empty set.
  QvDbObjectId firstId() const { return idAt(0); }
  QvDbObjectIdArray ids() const;
  Iterator begin() const { return Iterator(names_.begin()); }
  Iterator end() const { return Iterator(names_.end()); }

  bool contains(QvDbObjectId id) const;
  // Adds an id at the end; false (nothing added) for the null id or one already there.
  bool append(QvDbObjectId id);
  // Adds the ids of another set that this one lacks; answers how many were added.
  int appendAll(const VexaSelectSet& other);
  // Takes an id out; false when it is not there.
  bool remove(QvDbObjectId id);
  // Takes out the ids of another set; answers how many were taken out.
  int removeAll(const VexaSelectSet& other);
  void clear();

  // Keeps only the ids for which `keep` answers true, in order.
  template <class Pred>
  void keepIf(Pred keep) {
    std::vector<int64_t> kept;
    kept.reserve(names_.size());
    for (const int64_t name : names_) {
      if (keep(QvDbObjectId().setFromOldId(name)))
        kept.push_back(name);
      else
        members_.erase(name);
    }
    names_ = std::move(kept);
  }

  friend bool operator==(const VexaSelectSet& a, const VexaSelectSet& b) {
    return a.names_ == b.names_;
  }

 private:
  std::vector<int64_t> names_;
  std::unordered_set<int64_t> members_;
};
