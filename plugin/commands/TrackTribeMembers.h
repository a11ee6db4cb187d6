#pragma once

#include "host/Text.h"

namespace packsentinel {

// "<word> on|off": shows (or stops showing) the player a label over each online tribe mate.
void TrackTribeMembersCommand(AShooterPlayerController* controller, FString* line, int32 mode);

}  // namespace packsentinel
