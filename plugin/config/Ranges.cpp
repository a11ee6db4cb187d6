#include "config/Ranges.h"

#include <cmath>
#include <json.hpp>
#include <limits>

namespace packsentinel {
namespace {

constexpr std::int64_t kLeast = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();

std::int64_t Clamped(double metres, std::int64_t least, std::int64_t most) {
  if (metres <= static_cast<double>(least)) return least;
  if (metres >= static_cast<double>(most)) return most;
  return static_cast<std::int64_t>(metres);
}

}  // namespace

RangeBound RangeBoundOf(const nlohmann::json* value) {
  using Type = nlohmann::json::value_t;
  if (value == nullptr) return {RangeBound::Kind::BelowEveryNumber, 0};
  switch (value->type()) {
    // The library compares an unsigned number with a signed one as if both were signed, which
    // would put 2^63 and above below zero; as a distance it is what it says.
    case Type::number_integer:
    case Type::number_unsigned:
    case Type::number_float:
      return {RangeBound::Kind::Number, value->get<double>()};
    case Type::null:
    case Type::boolean:
      return {RangeBound::Kind::BelowEveryNumber, 0};
    default:
      return {RangeBound::Kind::AboveEveryNumber, 0};
  }
}

std::int64_t LeastMetresNotBelow(const RangeBound& bound) {
  if (bound.kind == RangeBound::Kind::BelowEveryNumber) return kLeast;
  if (bound.kind == RangeBound::Kind::AboveEveryNumber) return kMost + 1;
  return Clamped(std::ceil(bound.metres), kLeast, kMost + 1);
}

std::int64_t MostMetresNotAbove(const RangeBound& bound) {
  if (bound.kind == RangeBound::Kind::BelowEveryNumber) return kLeast - 1;
  if (bound.kind == RangeBound::Kind::AboveEveryNumber) return kMost;
  return Clamped(std::floor(bound.metres), kLeast - 1, kMost);
}

}  // namespace packsentinel
