#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

struct QvDbObjectStub;

// The stubs of a database by handle value, in one open-addressed table (linear probing,
// backward-shift removal): no allocation per entry for the hundreds of thousands of objects a
// drawing holds. Handle 0 (the null handle) is never an entry.
class QvDbHandleMap {
 public:
  // The stub of `handle`, or null.
  QvDbObjectStub* find(uint64_t handle) const {
    if (handle == 0 || slots_.empty()) return nullptr;
    return slots_[indexOf(slots_, handle)].stub;
  }
  bool contains(uint64_t handle) const { return find(handle) != nullptr; }
  // Gives `handle` the stub `stub` (a null stub removes it).
  void set(uint64_t handle, QvDbObjectStub* stub);
  void erase(uint64_t handle);
  void clear() {
    slots_.clear();
    count_ = 0;
  }
  size_t size() const { return count_; }

 private:
  struct Slot {
    uint64_t handle = 0;
    QvDbObjectStub* stub = nullptr;
  };

  // The slot holding `handle`, or the empty one where it belongs (the table is never full).
  static size_t indexOf(const std::vector<Slot>& slots, uint64_t handle) {
    const size_t mask = slots.size() - 1;
    size_t i = home(handle, mask);
    while (slots[i].handle != 0 && slots[i].handle != handle) i = (i + 1) & mask;
    return i;
  }
  // Fibonacci hashing: the top bits of the product, as many as the table's size needs.
  static size_t home(uint64_t handle, size_t mask) {
    return static_cast<size_t>((handle * 0x9E3779B97F4A7C15ull) >> std::countl_zero(mask));
  }
  void rehash(size_t slotCount);

  std::vector<Slot> slots_;  // a power of two long, at most half full
  size_t count_ = 0;
};
