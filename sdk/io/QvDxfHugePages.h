#pragma once

#include <cstddef>

// Asks the system to back the whole 2 MB pages of a large buffer with huge pages, where it has
// them: the buffers of a drawing's text are tens of megabytes, written once from start to end,
// and a page fault for every 4 KB of them costs more than writing them. Only advice: nothing
// happens where the system does not take it.
void qvDxfAdviseHugePages(const void* data, size_t bytes);
