#pragma once

#include "host/Text.h"

namespace packsentinel {

// "<word> <name...> [level]": tracks the living wild creatures near the player whose name
// contains the text (and whose level is the one given).
void TrackWildDinosCommand(AShooterPlayerController* controller, FString* line, int32 mode);

}  // namespace packsentinel
