#pragma once

// The configuration: config.json in the plugin's folder, held in memory as one JSON document
// and read at every use.

#include <nlohmann/json.hpp>
#include <string>

#include "host/Text.h"

namespace packsentinel {

// Null until the first ReadConfig.
extern nlohmann::json Config;

std::string ConfigPath();

// Reads config.json into Config. On a reload the chat commands move to the new words. A file
// that cannot be opened, parsed or registered from changes nothing and raises the error.
void ReadConfig();

// Texts under "Messages" and "FloatingTexts"; "No message" for a missing key.
FString GetMessage(const std::string& key);
FString GetFloatingText(const std::string& key);

}  // namespace packsentinel
