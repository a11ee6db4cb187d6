#include "config/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <json.hpp>
#include <limits>

namespace packsentinel {

std::int32_t ReadInt32(const nlohmann::json& value) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  if (value.is_number_float()) {
    const double number = std::trunc(value.get<double>());
    return static_cast<std::int32_t>(std::clamp(number, double{kMin}, double{kMax}));
  }
  if (value.is_number_unsigned()) {
    return static_cast<std::int32_t>(std::min<std::uint64_t>(value.get<std::uint64_t>(), kMax));
  }
  if (value.is_number_integer()) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value.get<std::int64_t>(), kMin, kMax));
  }
  return value.get<std::int32_t>();
}

std::int32_t GroupLimit(const nlohmann::json& value) { return std::max(0, ReadInt32(value)); }

}  // namespace packsentinel
