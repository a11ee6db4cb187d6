#pragma once

#include <cstdint>

#include "host/Char.h"
#include "host/GameTypes.h"

namespace packsentinel {

// "<word> on|off": tracks (or stops tracking) the living creatures of the player's team near him.
void TrackTribeDinosCommand(AShooterPlayerController* controller, host::TextView line,
                            std::int32_t mode);

}  // namespace packsentinel
