#include "heapmeter/HeapMeter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Counted by the size malloc gave, which delete can ask for again without a header of our own.
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

void* Allocate(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  const std::size_t now = live += malloc_usable_size(block);
  for (std::size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
  }
  return block;
}

void Release(void* block) noexcept {
  if (block == nullptr) return;
  live -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace

namespace heapmeter {

std::size_t LiveBytes() { return live; }
std::size_t PeakBytes() { return peak; }
void ResetPeak() { peak = live.load(); }

}  // namespace heapmeter

// Every form that pairs with the plain delete, nothrow ones included (the standard library's
// temporary buffers use those), so that no block is taken by one allocator and given back to
// another.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
