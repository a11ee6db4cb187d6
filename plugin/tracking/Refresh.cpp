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

constexpr std::int64_t kLeast = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();

const nlohmann::json* Member(const nlohmann::json& section, const char* key) {
  const auto it = section.find(key);
  return it == section.end() ? nullptr : &*it;
}

std::int64_t Clamped(double metres, std::int64_t least, std::int64_t most) {
  if (metres <= static_cast<double>(least)) return least;
  if (metres >= static_cast<double>(most)) return most;
  return static_cast<std::int64_t>(metres);
}

// The least distance not below the bound: kMost + 1 when there is none.
std::int64_t LeastNotBelow(const RangeBound& bound) {
  if (bound.kind == RangeBound::Kind::BelowEveryNumber) return kLeast;
  if (bound.kind == RangeBound::Kind::AboveEveryNumber) return kMost + 1;
  return Clamped(std::ceil(bound.metres), kLeast, kMost + 1);
}

// The greatest distance not above the bound: kLeast - 1 when there is none.
std::int64_t MostNotAbove(const RangeBound& bound) {
  if (bound.kind == RangeBound::Kind::BelowEveryNumber) return kLeast - 1;
  if (bound.kind == RangeBound::Kind::AboveEveryNumber) return kMost;
  return Clamped(std::floor(bound.metres), kLeast - 1, kMost);
}

}  // namespace

RangeRule::RangeRule(const nlohmann::json& section, bool upperBound) {
  lowest_ = LeastNotBelow(RangeBoundOf(Member(section, schema::kMinTrackRange)));
  const RangeBound maximum = RangeBoundOf(Member(section, schema::kMaxTrackRange));
  const bool unbounded = maximum.IsNumber() && maximum.metres == 0;
  highest_ = !upperBound || unbounded ? kMost : MostNotAbove(maximum);
}

const nlohmann::json* BeginRefresh(std::int32_t& tickCount, const schema::CommandSection& command) {
  if (!RefreshGate(tickCount)) return nullptr;
  nlohmann::json& section = Config[schema::kCommands][command.key];
  // Switched off: nothing is drawn and nothing is pruned.
  if (!section[schema::kEnabled].get<bool>()) return nullptr;
  return &section;
}

}  // namespace packsentinel
