#pragma once

// What the three label updaters share: when to refresh, distances in whole metres and the
// configured ranges.

#include <cstdint>

#include "config/JsonFwd.h"
#include "config/Schema.h"
#include "host/Game.h"

namespace packsentinel {

// Counts calls; true on every (TextUpdatePeriod + 1)-th, when it starts counting again.
bool RefreshGate(std::int32_t& tickCount);

// A distance the game gave in its units, in whole metres, cut toward zero.
std::int32_t DistanceInMetres(float gameUnits);

// The distances at which labels are drawn: "MinTrackRange" <= metres, and, with an upper bound,
// metres <= "MaxTrackRange" unless that is 0. The bounds are JSON values compared with the
// distance by the JSON library's ordering (an absent minimum is no bound, an absent maximum
// admits nothing); read once per refresh, they come down to a span of whole metres.
class RangeRule {
 public:
  RangeRule(const nlohmann::json& section, bool upperBound);
  bool Admits(std::int32_t metres) const { return lowest_ <= metres && metres <= highest_; }

 private:
  std::int64_t lowest_, highest_;
};

// The opening of every refresh: the gate, then the command section in force and its "Enabled"
// switch. Null when there is nothing to do at this call. Not copied: a section may hold a
// megabyte under a key nobody reads.
const nlohmann::json* BeginRefresh(std::int32_t& tickCount, const schema::CommandSection& command);

}  // namespace packsentinel
