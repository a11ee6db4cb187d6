#include "core/Config.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "core/Lifecycle.h"
#include "host/Framework.h"

namespace packsentinel {

// Constructed before the attach notification runs and destroyed after detach.
[[gnu::init_priority(1000)]] nlohmann::json Config;

namespace {

FString LookUpText(const char* section, const std::string& key) {
  return host::DecodeUtf8(Config[section].value(key, std::string("No message")));
}

bool HoldsDocument(const nlohmann::json& document) {
  return !document.empty();  // null, {} and [] are all empty
}

}  // namespace

std::string ConfigPath() {
  return host::GetCurrentDir() + "/ArkApi/Plugins/Packsentinel/config.json";
}

void ReadConfig() {
  const std::string path = ConfigPath();
  std::ifstream file(path, std::ios::binary);
  // A directory opens as a stream here, but there is no file to read in it.
  std::error_code ignored;
  if (!file || std::filesystem::is_directory(path, ignored)) {
    throw std::runtime_error("Can't open config.json");
  }

  // Parsed aside, so a broken file leaves the document in force untouched. The parse stops
  // after the first complete value; whatever follows it is ignored.
  nlohmann::json next;
  file >> next;

  if (!HoldsDocument(Config)) {
    Config = std::move(next);
    return;
  }
  // A reload: the new words must all be readable before the old commands are withdrawn.
  ReadCommandWords(next);
  RemoveCommands();
  Config = std::move(next);
  RegisterCommands();
}

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

FString GetMessage(const std::string& key) { return LookUpText("Messages", key); }

FString GetFloatingText(const std::string& key) { return LookUpText("FloatingTexts", key); }

}  // namespace packsentinel
