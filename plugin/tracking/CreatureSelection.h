#pragma once

// Which creatures a search takes besides their name and level, and which labels a refresh keeps:
// the living creatures of a team (a tribe's), or with none the wild. A refresh asks again, so that
// a creature tamed since, or a tracker who left the tribe, no longer shows where it is.

#include <cstdint>
#include <optional>

#include "host/GameTypes.h"

namespace packsentinel {

constexpr std::int32_t kWildTeamBound = 10000;

// Creatures of team 10000 or below belong to nobody.
bool IsWild(APrimalDinoCharacter* dino);

// The creatures of team, or with none the wild.
bool BelongsTo(APrimalDinoCharacter* dino, std::optional<std::int32_t> team);

}  // namespace packsentinel
