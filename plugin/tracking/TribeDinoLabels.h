#pragma once

#include <cstdint>

namespace packsentinel {

extern std::int32_t TribeDinoLabelTickCount;

// Tick callback "Packsentinel.DrawDinosText": prunes TribeDinoTrackers and labels the tribe
// creatures left with name and distance, within the configured ranges.
void TribeDinoLabelUpdater(float deltaSeconds);

}  // namespace packsentinel
