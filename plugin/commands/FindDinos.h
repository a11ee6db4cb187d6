#pragma once

#include "host/Text.h"

namespace packsentinel {

// "<word> <name...> [level]": lists every living wild creature on the map whose name contains
// the text, with its level and map coordinates.
void FindDinosCommand(AShooterPlayerController* controller, FString* line, int32 mode);

}  // namespace packsentinel
