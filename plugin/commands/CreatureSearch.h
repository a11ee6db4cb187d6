#pragma once

// The search around a player for creatures to track, shared by TrackWildDinos and
// TrackTribeDinos: a fixed radius when "MaxTrackRange" is positive, otherwise rings that
// double from 100 metres until the player's free slots are used up.

#include <functional>
#include <nlohmann/json.hpp>

#include "tracking/Registries.h"

namespace packsentinel {

struct CreatureSearch {
  AShooterPlayerController* controller;
  DinoTrackList& registry;
  // The command's section, whose "MaxTrackRange" chooses the mode.
  nlohmann::json& section;
  // Who may be taken besides being a living creature: the wild or the player's own team.
  std::function<bool(APrimalDinoCharacter*)> belongs;
  // What the player asked for (name and level); absent: every creature that belongs.
  std::function<bool(APrimalDinoCharacter*)> matches;
};

// Records what it finds in the registry and counts it for the player. Returns how many it
// recorded. A player without a character (or whose character has no position) finds nothing.
int32 SearchAndRecord(const CreatureSearch& search);

}  // namespace packsentinel
