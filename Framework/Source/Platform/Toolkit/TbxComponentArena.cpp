// Where components are placed: an arena's blocks while one lives on the thread, else the heap.
#include <sanitizer/asan_interface.h>

#include <atomic>
#include <utility>

#include "TbxClasses.h"

namespace {

constexpr std::size_t KAlignment = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
constexpr std::size_t KBlockBytes = 64 * 1024;
// Larger components go to the heap, so that a block never wastes more than this at its end.
constexpr std::size_t KLargestInBlock = KBlockBytes / 16;

// Before every component: the block it lies in, or nil when it came from the heap. It keeps the
// component at new's alignment.
struct alignas(KAlignment) TPrefix {
  TComponentArena::TBlock* Block;
};

constexpr std::size_t RoundUp(std::size_t size) { return (size + KAlignment - 1) / KAlignment * KAlignment; }

thread_local TComponentArena* GCurrent = nullptr;

}  // namespace

// A block's components are counted, and so is its arena while the arena still places components
// in it; whoever lets the count fall to nought returns the block to the heap. Freed room is not
// used again: a block serves one arena, and goes when what it holds has gone.
struct alignas(KAlignment) TComponentArena::TBlock {
  std::atomic<std::size_t> Held{1};
  char* Next = nullptr;
  char* End = nullptr;

  static TBlock* Create() {
    auto* block = new (::operator new(KBlockBytes)) TBlock;
    block->Next = reinterpret_cast<char*>(block + 1);
    block->End = reinterpret_cast<char*>(block) + KBlockBytes;
    // Until a component takes it, the room is out of bounds to the address sanitizer.
    ASAN_POISON_MEMORY_REGION(block->Next, static_cast<std::size_t>(block->End - block->Next));
    return block;
  }

  void Release() {
    if (Held.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    ASAN_UNPOISON_MEMORY_REGION(this, KBlockBytes);
    this->~TBlock();
    ::operator delete(this);
  }
};

TComponentArena::TComponentArena() : FOuter(GCurrent) { GCurrent = this; }

TComponentArena::~TComponentArena() {
  if (FBlock) FBlock->Release();
  // Normally this is the newest arena; one that ends out of turn is taken out where it stands.
  TComponentArena** link = &GCurrent;
  while (*link && *link != this) link = &(*link)->FOuter;
  if (*link) *link = FOuter;
}

void* TComponentArena::Allocate(std::size_t size) {
  if (size > KLargestInBlock) return nullptr;
  if (!FBlock || static_cast<std::size_t>(FBlock->End - FBlock->Next) < size) {
    TBlock* full = std::exchange(FBlock, TBlock::Create());  // the full one is kept if that throws
    if (full) full->Release();
  }
  char* room = FBlock->Next;
  FBlock->Next += size;
  FBlock->Held.fetch_add(1, std::memory_order_relaxed);
  ASAN_UNPOISON_MEMORY_REGION(room, size);
  new (room) TPrefix{FBlock};
  return room;
}

void* TComponent::operator new(std::size_t size) {
  const std::size_t total = sizeof(TPrefix) + RoundUp(size);
  void* room = nullptr;
  if (TComponentArena* arena = GCurrent) room = arena->Allocate(total);
  if (!room) room = new (::operator new(total)) TPrefix{nullptr};
  return static_cast<TPrefix*>(room) + 1;
}

void TComponent::operator delete(void* p, std::size_t size) noexcept {
  if (!p) return;
  TPrefix* prefix = static_cast<TPrefix*>(p) - 1;
  TComponentArena::TBlock* block = prefix->Block;
  if (!block) {
    ::operator delete(prefix);
    return;
  }
  // A component used or destroyed again after this is caught by the address sanitizer.
  ASAN_POISON_MEMORY_REGION(prefix, sizeof(TPrefix) + RoundUp(size));
  block->Release();
}
