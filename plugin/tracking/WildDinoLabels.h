#pragma once

#include <cstdint>

namespace packsentinel {

extern std::int32_t WildLabelTickCount;

// Tick callback "Packsentinel.DrawWildDinos": prunes WildDinoTrackers and labels what is left with
// name, level and distance, for the player who tracks it.
void WildDinoLabelUpdater(float deltaSeconds);

}  // namespace packsentinel
