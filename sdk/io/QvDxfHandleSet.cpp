#include "sdk/io/QvDxfHandleSet.h"

#include <algorithm>

namespace {

// 8 MB of bits at most.
constexpr uint64_t kMaxDense = uint64_t{1} << 26;

}  // namespace

QvDxfHandleSet::QvDxfHandleSet(uint64_t dense)
    : dense_(std::min(dense, kMaxDense)), bits_((dense_ + 63) / 64, 0) {}

bool QvDxfHandleSet::insert(uint64_t handle) {
  if (handle >= dense_) return sparse_.insert(handle).second;
  uint64_t& word = bits_[handle >> 6];
  const uint64_t bit = uint64_t{1} << (handle & 63);
  if (word & bit) return false;
  word |= bit;
  return true;
}
