#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

// A set of handles, asked about for every object read: a bit for each handle up to the
// largest the file gives (handles are dense in most files), a hash set for handles above that.
class QvDxfHandleSet {
 public:
  // Handles below `dense` (up to 2^26) get a bit each.
  explicit QvDxfHandleSet(uint64_t dense = 0);

  // False when the handle is in the set already.
  bool insert(uint64_t handle);
  bool contains(uint64_t handle) const {
    if (handle < dense_) return (bits_[handle >> 6] >> (handle & 63)) & 1;
    return !sparse_.empty() && sparse_.count(handle) != 0;
  }

 private:
  uint64_t dense_ = 0;
  std::vector<uint64_t> bits_;
  std::unordered_set<uint64_t> sparse_;
};
