#pragma once

// Permission groups: who may use a command and how many creatures a player may track.

#include <cstdint>
#include <string>
#include <vector>

#include "host/GameTypes.h"

namespace packsentinel {

// True when the player belongs to at least one of the groups.
bool HasCommandPermission(std::uint64_t playerId, const std::vector<std::string>& groups);

// The largest "MaxTrackPerGroup" limit among the player's groups (never below 0), or
// "MaxTrackPerPlayer" when he is in none of them; 0 without a player.
std::int32_t GetTrackLimit(AShooterPlayerController* controller);

}  // namespace packsentinel
