#include "tracking/Refresh.h"

#include <cmath>
#include <limits>

#include "core/Config.h"
#include "core/Lifecycle.h"

namespace packsentinel {

bool RefreshGate(int32& tickCount) {
  if (tickCount < TextUpdatePeriod) {
    ++tickCount;
    return false;
  }
  tickCount = 0;
  return true;
}

int32 DistanceInMetres(AActor* from, AActor* to) {
  const float metres = std::trunc(host::GetDistanceTo(from, to) / 100.f);
  // Beyond any map, but never past what the integer holds.
  if (!(metres < 2147483648.f)) return std::numeric_limits<int32>::max();
  return static_cast<int32>(metres);
}

bool IsInRange(const nlohmann::json& section, int32 metres, bool upperBound) {
  static const nlohmann::json absent;
  const auto value = [&](const char* key) -> const nlohmann::json& {
    const auto it = section.find(key);
    return it == section.end() ? absent : *it;
  };
  const nlohmann::json distance = metres;
  if (distance < value("MinTrackRange")) return false;
  if (!upperBound) return true;
  const auto& maximum = value("MaxTrackRange");
  return maximum == 0 || !(maximum < distance);
}

std::optional<nlohmann::json> BeginRefresh(int32& tickCount, const char* commandKey) {
  if (!RefreshGate(tickCount)) return std::nullopt;
  nlohmann::json section = Config["Commands"][commandKey];
  // Switched off: nothing is drawn and nothing is pruned.
  if (!section["Enabled"].get<bool>()) return std::nullopt;
  return section;
}

}  // namespace packsentinel
