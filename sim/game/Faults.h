#pragma once

// Faults a scenario plants in the game's functions: one published under a name throws
// std::runtime_error("fault: NAME") on its next calls, as a game function may, so that a plugin's
// survival can be shown.

#include <string_view>

namespace game::faults {

// Every function published, under its name, so that a fault can find it.
void Published(std::string_view name, const void* function);
// False when no function is published under name.
bool Arm(std::string_view name, int count);
void Clear();

void ThrowArmed(const void* function);
// Called first by every published function; costs one test while nothing is armed.
inline bool anyArmed = false;
inline void ThrowIfArmed(const void* function) {
  if (anyArmed) [[unlikely]]
    ThrowArmed(function);
}

}  // namespace game::faults
