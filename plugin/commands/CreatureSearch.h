#pragma once

// The search around a player for creatures to track, shared by TrackWildDinos and
// TrackTribeDinos: a fixed radius when "MaxTrackRange" is positive, otherwise rings that
// double from 100 metres until the player's free slots are used up.

#include "config/JsonFwd.h"
#include <optional>

#include "commands/WildCreature.h"
#include "tracking/Registries.h"

namespace packsentinel {

struct CreatureSearch {
  AShooterPlayerController* controller;
  DinoTrackList& registry;
  // The command's section, whose "MaxTrackRange" chooses the mode.
  nlohmann::json& section;
  // Who may be taken besides being a living creature: the creatures of this team, or with none
  // the wild.
  std::optional<std::int32_t> team;
  // What the player asked for (name and level); none: every creature that belongs.
  const CreatureRequest* request;
};

// Records what it finds in the registry and counts it for the player. Returns how many it
// recorded. A player without a character (or whose character has no position) finds nothing.
std::int32_t SearchAndRecord(const CreatureSearch& search);

}  // namespace packsentinel
