#pragma once

// The number of global allocations so far, in a benchmark linked with CountedAllocations.cpp
// (which replaces the global allocation functions by counting ones).
long countedAllocations();
