#include "sdk/io/QvDxfHugePages.h"

#include <sys/mman.h>

#include <cstdint>

void qvDxfAdviseHugePages(const void* data, size_t bytes) {
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<uintptr_t>(data);
  const uintptr_t from = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t to = (begin + bytes) & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}
