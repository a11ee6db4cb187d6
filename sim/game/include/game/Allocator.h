#pragma once

// The game allocator behind FMemory. It counts live blocks so a test can assert that a call
// gave back everything it took.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace game {

// The names it is published under. The sdk's texts and arrays reach it by them wherever they are
// used: in a plugin, and in the stand-in's own framework and devserver.
inline constexpr std::string_view kAllocatorNames[] = {"FMemory.Malloc", "FMemory.Realloc",
                                                       "FMemory.Free"};
bool IsAllocatorName(std::string_view name);

void* Malloc(std::size_t count, std::uint32_t alignment);
// A grown block keeps the alignment it was made with; none: a new block. A count of 0 releases
// the block.
void* Realloc(void* original, std::size_t count);
void Free(void* original);

std::int64_t LiveBlocks();
std::uint64_t AllocationCount();

}  // namespace game
