#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A set of non-null pointers kept in one open-addressed table: no allocation per member, for
// sets that take many members at a time (the ids a command erased, ...).
class QvPointerSet {
 public:
  // True when `p` was not a member yet (and is now); false for a member or null.
  bool insert(const void* p) {
    if (!p) return false;
    if ((count_ + 1) * 2 > slots_.size()) grow();
    const void*& slot = slots_[indexOf(slots_, p)];
    if (slot) return false;
    slot = p;
    ++count_;
    return true;
  }
  bool contains(const void* p) const {
    return p && !slots_.empty() && slots_[indexOf(slots_, p)] == p;
  }
  size_t size() const { return count_; }
  void clear() {
    slots_.clear();
    count_ = 0;
  }

 private:
  // The slot holding `p`, or the empty one where it belongs (the table is never full).
  static size_t indexOf(const std::vector<const void*>& slots, const void* p) {
    const size_t mask = slots.size() - 1;
    const uint64_t mixed = (reinterpret_cast<uintptr_t>(p) >> 3) * 0x9E3779B97F4A7C15ull;
    size_t i = static_cast<size_t>(mixed >> 32) & mask;
    while (slots[i] && slots[i] != p) i = (i + 1) & mask;
    return i;
  }
  void grow() {
    std::vector<const void*> bigger(slots_.empty() ? 16 : slots_.size() * 2, nullptr);
    for (const void* p : slots_)
      if (p) bigger[indexOf(bigger, p)] = p;
    slots_ = std::move(bigger);
  }

  std::vector<const void*> slots_;  // a power of two long, at most half full
  size_t count_ = 0;
};
