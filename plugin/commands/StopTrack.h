#pragma once

#include <cstdint>

#include "host/Char.h"
#include "host/GameTypes.h"

namespace packsentinel {

// Ends everything the player tracks and frees his whole limit. Open to every player.
void StopTrackCommand(AShooterPlayerController* controller, host::TextView line, std::int32_t mode);

}  // namespace packsentinel
