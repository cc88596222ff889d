#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A map from non-null pointers to positions (in a list kept beside it) in one open-addressed
// table: no allocation per entry, for maps that take many entries at a time (the objects a
// transaction saved, the ids a clone mapped, ...). Entries are not removed one by one.
class QvPointerIndex {
 public:
  static constexpr size_t npos = SIZE_MAX;

  // The position of `p`, or npos (also for null).
  size_t find(const void* p) const {
    if (!p || slots_.empty()) return npos;
    const Slot& slot = slots_[indexOf(slots_, p)];
    return slot.key == p ? slot.position : npos;
  }
  // Gives `p` the position `position` when it has none yet; answers the position it has.
  // Null is never an entry (npos).
  size_t insert(const void* p, size_t position) {
    if (!p) return npos;
    if ((count_ + 1) * 2 > slots_.size()) rehash(slots_.empty() ? 16 : slots_.size() * 2);
    Slot& slot = slots_[indexOf(slots_, p)];
    if (slot.key) return slot.position;
    slot = {p, position};
    ++count_;
    return position;
  }
  size_t size() const { return count_; }
  // Room for `entries` entries in all without growing again.
  void reserve(size_t entries) {
    size_t slots = slots_.empty() ? 16 : slots_.size();
    while (entries * 2 > slots) slots *= 2;
    if (slots != slots_.size()) rehash(slots);
  }
  void clear() {
    slots_.clear();
    count_ = 0;
  }

 private:
  struct Slot {
    const void* key = nullptr;
    size_t position = 0;
  };

  // The slot holding `p`, or the empty one where it belongs (the table is never full).
  static size_t indexOf(const std::vector<Slot>& slots, const void* p) {
    const size_t mask = slots.size() - 1;
    // Addresses come in runs with the allocator's strides; a single multiply left some heap
    // layouts with long probe chains. Two rounds of xor-shift-multiply spread every bit, and
    // the top bits are taken.
    uint64_t mixed = reinterpret_cast<uintptr_t>(p);
    mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ull;
    mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBull;
    size_t i = static_cast<size_t>(mixed >> (std::countl_zero(slots.size()) + 1));
    while (slots[i].key && slots[i].key != p) i = (i + 1) & mask;
    return i;
  }
  void rehash(size_t slotCount) {
    std::vector<Slot> bigger(slotCount);
    for (const Slot& slot : slots_)
      if (slot.key) bigger[indexOf(bigger, slot.key)] = slot;
    slots_ = std::move(bigger);
  }

  std::vector<Slot> slots_;  // a power of two long, at most half full
  size_t count_ = 0;
};
