#include "sdk/db/QvDbHandleMap.h"

#include <utility>

void QvDbHandleMap::set(uint64_t handle, QvDbObjectStub* stub) {
  if (handle == 0) return;
  if (!stub) {
    erase(handle);
    return;
  }
  if ((count_ + 1) * 2 > slots_.size()) rehash(slots_.empty() ? 64 : slots_.size() * 2);
  Slot& slot = slots_[indexOf(slots_, handle)];
  if (slot.handle == 0) ++count_;
  slot = {handle, stub};
}

void QvDbHandleMap::erase(uint64_t handle) {
  if (handle == 0 || slots_.empty()) return;
  const size_t mask = slots_.size() - 1;
  size_t hole = indexOf(slots_, handle);
  if (slots_[hole].handle == 0) return;
  --count_;
  // Backward shift: each later entry of the run moves into the hole when the hole lies on its
  // probe path, so that no probe stops short of its entry.
  for (size_t next = (hole + 1) & mask; slots_[next].handle != 0; next = (next + 1) & mask) {
    const size_t wanted = home(slots_[next].handle, mask);
    const bool reachable =
        hole <= next ? (wanted <= hole || wanted > next) : (wanted <= hole && wanted > next);
    if (reachable) {
      slots_[hole] = slots_[next];
      hole = next;
    }
  }
  slots_[hole] = Slot();
}

void QvDbHandleMap::rehash(size_t slotCount) {
  std::vector<Slot> bigger(slotCount);
  for (const Slot& slot : slots_)
    if (slot.handle != 0) bigger[indexOf(bigger, slot.handle)] = slot;
  slots_ = std::move(bigger);
}
