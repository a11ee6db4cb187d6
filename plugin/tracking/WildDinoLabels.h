#pragma once

#include "ArkApi/BasicTypes.h"

namespace packsentinel {

extern int32 WildLabelTickCount;

// Tick callback "DrawWildDinos": prunes WildDinoTrackers and labels what is left with name,
// level and distance, for the player who tracks it.
void WildDinoLabelUpdater(float deltaSeconds);

}  // namespace packsentinel
