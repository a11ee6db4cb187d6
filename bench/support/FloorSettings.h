#pragma once

// The settings the floors read, from the configuration in force (the plugin's document), as
// often as the plugin has to: once per refresh or command, since a reload may come between two.

#include <API/UE/BasicTypes.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace bench_support {

// "Commands".<key>; throws when the configuration has no such section.
const nlohmann::json& CommandSettings(const char* commandKey);

// The section's "Enabled" switch.
bool IsEnabled(const nlohmann::json& section);

// A number setting cut toward zero to 32 bits, held at the nearer end of the range.
int32 ToInt32(const nlohmann::json& value);

// A text under "Messages" or "FloatingTexts", decoded from UTF-8; "No message" when absent.
std::u16string ConfiguredText(const char* section, const char* key);

// Where labels are drawn: "MinTrackRange" and "MaxTrackRange" of a command's section.
class TrackRange {
 public:
  explicit TrackRange(const nlohmann::json& section);

  // At least the minimum (none: no bound) and, with an upper bound, at most the maximum unless
  // that is 0 (none: nothing is admitted).
  bool Admits(int32 metres, bool upperBound) const {
    const double distance = metres;
    if (minimum_ && distance < *minimum_) return false;
    if (!upperBound) return true;
    return maximum_ && (*maximum_ == 0 || distance <= *maximum_);
  }

 private:
  std::optional<double> minimum_;
  std::optional<double> maximum_;
};

}  // namespace bench_support
