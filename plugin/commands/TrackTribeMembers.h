#pragma once

#include <cstdint>

#include "host/Char.h"
#include "host/GameTypes.h"

namespace packsentinel {

// "<word> on|off": shows (or stops showing) the player a label over each online tribe mate.
void TrackTribeMembersCommand(AShooterPlayerController* controller, host::TextView line,
                              std::int32_t mode);

}  // namespace packsentinel
