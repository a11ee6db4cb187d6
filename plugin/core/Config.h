#pragma once

// The configuration: config.json in the plugin's folder, held in memory as one JSON document
// and read at every use.

#include <nlohmann/json.hpp>
#include <string>

#include "ArkApi/BasicTypes.h"
#include "host/Text.h"

namespace packsentinel {

// Null until the first ReadConfig.
extern nlohmann::json Config;

std::string ConfigPath();

// Reads config.json into Config. On a reload the chat commands move to the new words. A file
// that cannot be opened, parsed or registered from changes nothing and raises the error.
void ReadConfig();

// A number setting as a 32-bit integer: a fraction is cut off, true and false read as 1 and 0,
// and a value beyond the 32-bit range is held at the nearer end instead of wrapping. Any other
// type raises the JSON library's type error.
int32 ReadInt32(const nlohmann::json& value);

// Texts under "Messages" and "FloatingTexts"; "No message" for a missing key.
FString GetMessage(const std::string& key);
FString GetFloatingText(const std::string& key);

}  // namespace packsentinel
