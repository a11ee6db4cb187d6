#include "core/Config.h"

#include <fstream>
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
  std::ifstream file(ConfigPath(), std::ios::binary);
  if (!file) throw std::runtime_error("Can't open config.json");

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

FString GetMessage(const std::string& key) { return LookUpText("Messages", key); }

FString GetFloatingText(const std::string& key) { return LookUpText("FloatingTexts", key); }

}  // namespace packsentinel
