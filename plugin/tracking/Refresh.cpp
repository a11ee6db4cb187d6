#include "tracking/Refresh.h"

#include <cmath>
#include <limits>

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

// The first distance at which a test that turns true with distance, and stays true, holds
// (kMost + 1 when none does).
template <typename Test>
std::int64_t FirstHolding(Test holds) {
  std::int64_t low = kLeast, high = kMost + 1;
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (holds(static_cast<std::int32_t>(middle))) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

const nlohmann::json& Member(const nlohmann::json& section, const char* key) {
  static const nlohmann::json absent;
  const auto it = section.find(key);
  return it == section.end() ? absent : *it;
}

}  // namespace

// Against a fixed JSON value each comparison with a growing distance changes its answer at most
// once, so each bound is found by bisection with the library's own comparison.
RangeRule::RangeRule(const nlohmann::json& section, bool upperBound) {
  const auto& minimum = Member(section, schema::kMinTrackRange);
  lowest_ = FirstHolding([&](std::int32_t metres) { return !(nlohmann::json(metres) < minimum); });
  const auto& maximum = Member(section, schema::kMaxTrackRange);
  if (!upperBound || maximum == 0) {
    highest_ = kMost;
  } else {
    highest_ =
        FirstHolding([&](std::int32_t metres) { return maximum < nlohmann::json(metres); }) - 1;
  }
}

std::optional<nlohmann::json> BeginRefresh(std::int32_t& tickCount,
                                           const schema::CommandSection& command) {
  if (!RefreshGate(tickCount)) return std::nullopt;
  nlohmann::json section = Config[schema::kCommands][command.key];
  // Switched off: nothing is drawn and nothing is pruned.
  if (!section[schema::kEnabled].get<bool>()) return std::nullopt;
  return section;
}

}  // namespace packsentinel
