#pragma once

// What the three label updaters share: when to refresh, distances in whole metres and the
// configured ranges.

#include <nlohmann/json.hpp>
#include <optional>

#include "host/Game.h"

namespace packsentinel {

// Counts calls; true on every (TextUpdatePeriod + 1)-th, when it starts counting again.
bool RefreshGate(int32& tickCount);

// The game's distance in whole metres, cut toward zero.
int32 DistanceInMetres(AActor* from, AActor* to);

// "MinTrackRange" <= metres, and, with an upper bound, metres <= "MaxTrackRange" unless that is
// 0. Compared as JSON values: an absent minimum is no bound, an absent maximum admits nothing.
bool IsInRange(const nlohmann::json& section, int32 metres, bool upperBound);

// The opening of every refresh: the gate, then the command section, copied for this refresh,
// and its "Enabled" switch. None when there is nothing to do at this call.
std::optional<nlohmann::json> BeginRefresh(int32& tickCount, const char* commandKey);

}  // namespace packsentinel
