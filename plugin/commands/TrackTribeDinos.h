#pragma once

#include "host/Text.h"

namespace packsentinel {

// "<word> on|off": tracks (or stops tracking) the living creatures of the player's team near him.
void TrackTribeDinosCommand(AShooterPlayerController* controller, FString* line, int32 mode);

}  // namespace packsentinel
