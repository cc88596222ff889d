#include "bench/support/CountedAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Counting replacements of the global allocation functions (they pair malloc with free, which
// the compiler cannot see through).
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

long countedAllocations() {
  return gAllocations.load();
}
