#include "game/Allocator.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace game {
namespace {

std::int64_t liveBlocks = 0;
std::uint64_t allocations = 0;

// The game's blocks are 16-byte aligned; larger alignments are not asked for.
void* Checked(void* block) {
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

void* Malloc(std::size_t count, std::uint32_t /*alignment*/) {
  void* block = Checked(std::malloc(count > 0 ? count : 1));
  ++liveBlocks;
  ++allocations;
  return block;
}

void* Realloc(void* original, std::size_t count) {
  if (original == nullptr) return Malloc(count, 0);
  if (count == 0) {
    Free(original);
    return nullptr;
  }
  ++allocations;
  return Checked(std::realloc(original, count));
}

void Free(void* original) {
  if (original == nullptr) return;
  std::free(original);
  --liveBlocks;
}

bool IsAllocatorName(std::string_view name) {
  return std::ranges::find(kAllocatorNames, name) != std::end(kAllocatorNames);
}

std::int64_t LiveBlocks() { return liveBlocks; }
std::uint64_t AllocationCount() { return allocations; }

}  // namespace game
