#pragma once

// The game publishes its functions, fields, and flag bits to the resolver by name.

#include <API/Base.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace framework {

ARK_API void RegisterFunction(std::string_view name, void* address);
ARK_API void RegisterField(std::string_view name, std::ptrdiff_t offset);
// A flag: bit `position` (width bits wide) of the 32-bit word at `wordOffset`.
ARK_API void RegisterBitField(std::string_view name, std::ptrdiff_t wordOffset,
                              std::uint32_t position, std::uint32_t width = 1);

// The game no longer has that name, as after an update that renamed it: the resolver answers it
// as the real one answers any name it lacks.
ARK_API void ForgetName(std::string_view name);

// Lookups made through GetAddress, GetDataAddress and GetBitField since the process started,
// found or not: what benchmarks report per label and per visited creature.
ARK_API std::uint64_t ResolutionCount();

// What a resolution costs. The stand-in's own table (the default) finds a name in a few
// nanoseconds; the real framework's hashes every byte of it in a table of the whole game, which
// benchmarks choose to show a real server's price. Either resolves every name the game publishes
// the same.
enum class ResolverProfile { kFast, kRealCost };
ARK_API void UseResolverProfile(ResolverProfile profile);

template <typename Function>
void RegisterFunction(std::string_view name, Function* function) {
  RegisterFunction(name, reinterpret_cast<void*>(function));
}

}  // namespace framework
