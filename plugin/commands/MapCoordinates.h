#pragma once

// Map coordinates (latitude and longitude) from world positions, as the world settings define
// them, in single precision and in the game's order of operations.

#include "host/Game.h"

namespace packsentinel {

// One axis: the position on it, its scale and origin settings (0: the defaults).
float MapCoordinate(float position, float scaleSetting, float originSetting);

struct MapPosition {
  float latitude;
  float longitude;
};
MapPosition ToMapPosition(const host::Vector& location, const host::MapScale& scale);

}  // namespace packsentinel
