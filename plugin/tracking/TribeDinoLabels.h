#pragma once

#include "ArkApi/BasicTypes.h"

namespace packsentinel {

extern int32 TribeDinoLabelTickCount;

// Tick callback "DrawDinosText": prunes TribeDinoTrackers and labels the tribe creatures left
// with name and distance, within the configured ranges.
void TribeDinoLabelUpdater(float deltaSeconds);

}  // namespace packsentinel
