#pragma once

// Colours as the plugin names them: plain values, usable in constant expressions. The wrappers
// in host/Game.h turn them into the game's colour records where they are sent.

#include <cstdint>

namespace host {

// Linear components from 0 to 1 (the game does not clamp them).
struct LinearColour {
  float red, green, blue, alpha;
};

// 8-bit components packed as 0xAARRGGBB.
struct PackedColour {
  std::uint32_t argb;
};

}  // namespace host
