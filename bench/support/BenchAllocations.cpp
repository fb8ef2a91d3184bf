#include "BenchAllocations.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {
// The benchmarks allocate from one thread, so plain counters do.
TAllocationCount GCount;

void* CountedAlloc(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  GCount.Bytes += size;
  ++GCount.Allocations;
  GCount.LiveBytes += static_cast<std::ptrdiff_t>(malloc_usable_size(p));
  return p;
}

void CountedFree(void* p) noexcept {
  if (!p) return;
  GCount.LiveBytes -= static_cast<std::ptrdiff_t>(malloc_usable_size(p));
  std::free(p);
}
}  // namespace

TAllocationCount AllocationsNow() { return GCount; }

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }
