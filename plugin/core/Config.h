#pragma once

// The configuration: config.json in the plugin's folder, held in memory as one JSON document
// and read at every use.

#include "config/JsonFwd.h"
#include <string>

#include "config/Numbers.h"
#include "config/Problems.h"
#include "config/Schema.h"
#include "host/Char.h"

namespace packsentinel {

// Null until a ReadConfig, and again after Unload.
extern nlohmann::json Config;

std::string ConfigPath();

// Reads config.json into Config and gives back its warnings. When the plugin is loaded this is a
// reload: the chat commands move to the new words. A file that cannot be opened or parsed changes
// nothing and raises the error; one with errors changes nothing and raises ConfigRejected with
// every problem.
ConfigProblems ReadConfig();

// Each problem to the plugin's log, errors at level error and warnings at level warning.
void LogConfigProblems(const ConfigProblems& problems);

// Texts under "Messages" and "FloatingTexts"; "No message" for a missing key.
host::String GetMessage(const schema::MessageSchema& message);
host::String GetFloatingText(const schema::LabelSchema& label);

}  // namespace packsentinel
