#include "tracking/Refresh.h"

#include <cmath>
#include <json.hpp>
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

const nlohmann::json& Member(const nlohmann::json& section, const char* key) {
  static const nlohmann::json absent;
  const auto it = section.find(key);
  return it == section.end() ? absent : *it;
}

// A bound as the JSON library compares a whole number of metres with it: null and booleans rank
// below every number, texts, lists and objects above, and an unsigned number is read as a signed
// 64-bit one (so the largest rank below zero).
struct Bound {
  enum class Kind { BelowEveryNumber, Number, AboveEveryNumber } kind;
  double value;  // for a number
};

Bound BoundOf(const nlohmann::json& value) {
  switch (value.type()) {
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_float:
      return {Bound::Kind::Number, value.get<double>()};
    case nlohmann::json::value_t::number_unsigned:
      return {Bound::Kind::Number,
              static_cast<double>(static_cast<std::int64_t>(value.get<std::uint64_t>()))};
    case nlohmann::json::value_t::null:
    case nlohmann::json::value_t::boolean:
      return {Bound::Kind::BelowEveryNumber, 0};
    default:
      return {Bound::Kind::AboveEveryNumber, 0};
  }
}

std::int64_t Clamped(double metres, std::int64_t least, std::int64_t most) {
  if (metres <= static_cast<double>(least)) return least;
  if (metres >= static_cast<double>(most)) return most;
  return static_cast<std::int64_t>(metres);
}

// The least distance not below the bound: kMost + 1 when there is none.
std::int64_t LeastNotBelow(const Bound& bound) {
  if (bound.kind == Bound::Kind::BelowEveryNumber) return kLeast;
  if (bound.kind == Bound::Kind::AboveEveryNumber) return kMost + 1;
  return Clamped(std::ceil(bound.value), kLeast, kMost + 1);
}

// The greatest distance not above the bound: kLeast - 1 when there is none.
std::int64_t MostNotAbove(const Bound& bound) {
  if (bound.kind == Bound::Kind::BelowEveryNumber) return kLeast - 1;
  if (bound.kind == Bound::Kind::AboveEveryNumber) return kMost;
  return Clamped(std::floor(bound.value), kLeast - 1, kMost);
}

}  // namespace

RangeRule::RangeRule(const nlohmann::json& section, bool upperBound) {
  lowest_ = LeastNotBelow(BoundOf(Member(section, schema::kMinTrackRange)));
  const auto& maximum = Member(section, schema::kMaxTrackRange);
  highest_ = !upperBound || maximum == 0 ? kMost : MostNotAbove(BoundOf(maximum));
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
