#pragma once

#include "host/Text.h"

namespace packsentinel {

// Ends everything the player tracks and frees his whole limit. Open to every player.
void StopTrackCommand(AShooterPlayerController* controller, FString* line, int32 mode);

}  // namespace packsentinel
