#include "tracking/Refresh.h"

#include <cmath>
#include <json.hpp>
#include <limits>

#include "config/Ranges.h"
#include "core/Config.h"
#include "core/Lifecycle.h"

namespace packsentinel {

bool RefreshGate(std::int32_t& tickCount) {
  if (tickCount < TextUpdatePeriod) {
    ++tickCount;
    return false;
  }
  tickCount = 0;
  return true;
}

std::int32_t DistanceInMetres(float gameUnits) {
  const float metres = std::trunc(gameUnits / 100.f);
  // Beyond any map, but never past what the integer holds.
  if (!(metres < 2147483648.f)) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(metres);
}

namespace {

const nlohmann::json* Member(const nlohmann::json& section, const char* key) {
  const auto it = section.find(key);
  return it == section.end() ? nullptr : &*it;
}

}  // namespace

RangeRule::RangeRule(const nlohmann::json& section, bool upperBound) {
  lowest_ = LeastMetresNotBelow(RangeBoundOf(Member(section, schema::kMinTrackRange)));
  const RangeBound maximum = RangeBoundOf(Member(section, schema::kMaxTrackRange));
  const bool unbounded = maximum.IsNumber() && maximum.metres == 0;
  highest_ = !upperBound || unbounded ? std::numeric_limits<std::int32_t>::max()
                                      : MostMetresNotAbove(maximum);
}

const nlohmann::json* BeginRefresh(std::int32_t& tickCount, const schema::CommandSection& command) {
  if (!RefreshGate(tickCount)) return nullptr;
  nlohmann::json& section = Config[schema::kCommands][command.key];
  // Switched off: nothing is drawn and nothing is pruned.
  if (!section[schema::kEnabled].get<bool>()) return nullptr;
  return &section;
}

}  // namespace packsentinel
