#include "sdk/app/VexaHostMemory.h"

#include <malloc.h>

#include <mutex>

void vexaKeepFreedMemory() {
  static std::once_flag applied;
  std::call_once(applied, [] {
    // Blocks up to 32 MiB (the allocator's limit) come from the heap and return to it; the
    // heap's free top is kept up to 1 GiB.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
  });
}
