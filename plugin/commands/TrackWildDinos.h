#pragma once

#include <cstdint>

#include "host/Char.h"
#include "host/GameTypes.h"

namespace packsentinel {

// "<word> <name...> [level]": tracks the living wild creatures near the player whose name
// contains the text (and whose level is the one given).
void TrackWildDinosCommand(AShooterPlayerController* controller, host::TextView line,
                           std::int32_t mode);

}  // namespace packsentinel
