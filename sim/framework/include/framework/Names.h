#pragma once

// The game publishes its functions, fields and flag bits to the resolver by name.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ArkApi/Export.h"

namespace framework {

ARKAPI_EXPORT void RegisterFunction(std::string_view name, void* address);
ARKAPI_EXPORT void RegisterField(std::string_view name, std::ptrdiff_t offset);
// A flag: bit `position` (width bits wide) of the 32-bit word at `wordOffset`.
ARKAPI_EXPORT void RegisterBitField(std::string_view name, std::ptrdiff_t wordOffset,
                                    std::uint32_t position, std::uint32_t width = 1);

// Lookups made through GetAddress and GetBitField since the process started, found or not:
// what benchmarks report per label and per visited creature.
ARKAPI_EXPORT std::uint64_t ResolutionCount();

template <typename Function>
void RegisterFunction(std::string_view name, Function* function) {
  RegisterFunction(name, reinterpret_cast<void*>(function));
}

}  // namespace framework
