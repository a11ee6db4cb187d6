#include "support/FloorSettings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "ArkApi/Tools.h"
#include "core/Config.h"

namespace bench_support {
namespace {

std::optional<double> NumberAt(const nlohmann::json& section, const char* key) {
  const auto it = section.find(key);
  if (it == section.end()) return std::nullopt;
  return it->get<double>();
}

}  // namespace

const nlohmann::json& CommandSettings(const char* commandKey) {
  const nlohmann::json& config = packsentinel::Config;
  return config.at("Commands").at(commandKey);
}

bool IsEnabled(const nlohmann::json& section) { return section.at("Enabled").get<bool>(); }

int32 ToInt32(const nlohmann::json& value) {
  constexpr double kMin = std::numeric_limits<int32>::min();
  constexpr double kMax = std::numeric_limits<int32>::max();
  return static_cast<int32>(std::clamp(std::trunc(value.get<double>()), kMin, kMax));
}

FString ConfiguredText(const char* section, const char* key) {
  const nlohmann::json& config = packsentinel::Config;
  std::string text = "No message";
  if (const auto texts = config.find(section); texts != config.end()) {
    text = texts->value(key, text);
  }
  return FString(std::u16string_view(ArkApi::Tools::Utf8Decode(text)));
}

TrackRange::TrackRange(const nlohmann::json& section)
    : minimum_(NumberAt(section, "MinTrackRange")), maximum_(NumberAt(section, "MaxTrackRange")) {}

}  // namespace bench_support
