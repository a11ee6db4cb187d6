#include "config/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace packsentinel {

int32 ReadInt32(const nlohmann::json& value) {
  constexpr auto kMin = std::numeric_limits<int32>::min();
  constexpr auto kMax = std::numeric_limits<int32>::max();
  if (value.is_number_float()) {
    const double number = std::trunc(value.get<double>());
    return static_cast<int32>(std::clamp(number, double{kMin}, double{kMax}));
  }
  if (value.is_number_unsigned()) {
    return static_cast<int32>(std::min<std::uint64_t>(value.get<std::uint64_t>(), kMax));
  }
  if (value.is_number_integer()) {
    return static_cast<int32>(std::clamp<std::int64_t>(value.get<std::int64_t>(), kMin, kMax));
  }
  return value.get<int32>();
}

}  // namespace packsentinel
