#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "sdk/db/QvDbObjectId.h"

// A set of object ids kept in one block of memory (open addressing, linear probing), for the
// thousands of ids a command handles at once: no allocation per id.
class XqIdSet {
 public:
  bool contains(QvDbObjectId id) const {
    if (slots_.empty()) return false;
    return state_[find(id)] == kFull;
  }

  // True when the id was not there yet.
  bool insert(QvDbObjectId id) {
    if ((used_ + 1) * 2 > slots_.size()) grow(used_ + 1);
    const size_t at = find(id);
    if (state_[at] == kFull) return false;
    if (state_[at] == kEmpty) ++used_;
    slots_[at] = id;
    state_[at] = kFull;
    return true;
  }

  // True when the id was there.
  bool erase(QvDbObjectId id) {
    if (slots_.empty()) return false;
    const size_t at = find(id);
    if (state_[at] != kFull) return false;
    state_[at] = kRemoved;  // still in use: probes go on past it
    return true;
  }

  // Room for `count` ids without growing.
  void reserve(size_t count) {
    if (count * 2 > slots_.size()) grow(count);
  }

 private:
  enum : uint8_t { kEmpty, kFull, kRemoved };

  size_t home(QvDbObjectId id) const {
    // Ids hash by address; multiplying spreads their bits into the top ones of the product,
    // as many of which as the table's size needs are taken.
    const uint64_t mixed =
        static_cast<uint64_t>(std::hash<QvDbObjectId>{}(id)) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(mixed >> (std::countl_zero(slots_.size()) + 1));
  }

  // The slot holding `id`, else the first removed slot met on its probe, else the empty slot
  // that ends the probe. Some slot is always empty: the table is at most half in use.
  size_t find(QvDbObjectId id) const {
    const size_t mask = slots_.size() - 1;
    size_t reusable = slots_.size();
    for (size_t at = home(id);; at = (at + 1) & mask) {
      if (state_[at] == kEmpty) return reusable < slots_.size() ? reusable : at;
      if (state_[at] == kFull && slots_[at] == id) return at;
      if (state_[at] == kRemoved && reusable == slots_.size()) reusable = at;
    }
  }

  // Rebuilds the table with room for `count` ids, dropping removed slots.
  void grow(size_t count) {
    size_t size = 16;
    while (size < count * 2) size *= 2;
    std::vector<QvDbObjectId> slots(size);
    std::vector<uint8_t> state(size, kEmpty);
    slots.swap(slots_);
    state.swap(state_);
    used_ = 0;
    for (size_t i = 0; i < slots.size(); ++i)
      if (state[i] == kFull) insert(slots[i]);
  }

  std::vector<QvDbObjectId> slots_;
  std::vector<uint8_t> state_;
  size_t used_ = 0;  // slots full or removed
};
