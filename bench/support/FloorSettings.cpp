#include "support/FloorSettings.h"

#include <API/ARK/Ark.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

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

std::u16string ConfiguredText(const char* section, const char* key) {
  const nlohmann::json& config = packsentinel::Config;
  std::string text = "No message";
  if (const auto texts = config.find(section); texts != config.end()) {
    text = texts->value(key, text);
  }
  // The framework's wide text holds one UTF-16 unit in each wchar_t.
  const std::wstring wide = ArkApi::Tools::Utf8Decode(text);
  return std::u16string(wide.begin(), wide.end());
}

TrackRange::TrackRange(const nlohmann::json& section)
    : minimum_(NumberAt(section, "MinTrackRange")), maximum_(NumberAt(section, "MaxTrackRange")) {}

}  // namespace bench_support
