// Counts what operator new hands out, for the memory figures. Linking this unit into a benchmark
// replaces the global operator new and delete of the whole process, Qt's allocations included.
#pragma once

#include <cstddef>

struct TAllocationCount {
  std::size_t Bytes = 0;         // asked for so far
  std::size_t Allocations = 0;   // made so far
  std::ptrdiff_t LiveBytes = 0;  // held now, as the allocator rounds them
};

// The counts so far; the difference of two tells what happened in between. One thread only.
TAllocationCount AllocationsNow();
