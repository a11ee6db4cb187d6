#pragma once

#include <cstdint>

#include "host/Char.h"
#include "host/GameTypes.h"

namespace packsentinel {

// "<word> <name...> [level]": lists every living wild creature on the map whose name contains
// the text, with its level and map coordinates.
void FindDinosCommand(AShooterPlayerController* controller, host::TextView line, std::int32_t mode);

}  // namespace packsentinel
