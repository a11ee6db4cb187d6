#include "core/Config.h"

#include <json.hpp>
#include <stdexcept>

#include "config/Check.h"
#include "config/ConfigFile.h"
#include "config/ParseError.h"
#include "core/Lifecycle.h"
#include "host/Entry.h"
#include "host/Framework.h"
#include "host/Log.h"
#include "host/Text.h"

namespace packsentinel {

// Constructed before the attach notification runs and destroyed after detach.
HOST_BUILT_BEFORE_ATTACH nlohmann::json Config;

namespace {

host::String LookUpText(const char* section, const char* key) {
  return host::DecodeUtf8(Config[section].value(key, std::string("No message")));
}

}  // namespace

std::string ConfigPath() {
  return host::GetCurrentDir() + "/ArkApi/Plugins/Packsentinel/config.json";
}

ConfigProblems ReadConfig() {
  const ConfigFile file = ReadConfigFile(ConfigPath());
  if (file.missing) throw std::runtime_error("Can't open config.json");
  if (!file.problem.empty()) throw std::runtime_error("Can't open config.json: " + file.problem);

  // Parsed aside, so a broken file leaves the document in force untouched. The parse stops
  // after the first complete value; whatever follows it is ignored, with a warning.
  auto [next, problems] = ParseConfig(file.text, "config.json");

  // Only a loaded plugin has commands to move; any other read is a first one.
  const bool reload = IsLoaded();
  const ConfigProblems checked = reload ? CheckReload(next, TextUpdatePeriod) : CheckConfig(next);
  problems.insert(problems.end(), checked.begin(), checked.end());
  if (CountErrors(problems) > 0) throw ConfigRejected(std::move(problems));

  if (!reload) {
    Config = std::move(next);
    return problems;
  }
  RemoveChatCommands();
  Config = std::move(next);
  RegisterChatCommands();
  return problems;
}

void LogConfigProblems(const ConfigProblems& problems) {
  for (const auto& problem : problems) {
    const std::string line = "config.json: " + Describe(problem);
    if (problem.severity == Severity::Error) {
      host::LogError(line);
    } else {
      host::LogWarning(line);
    }
  }
}

host::String GetMessage(const schema::MessageSchema& message) {
  return LookUpText(schema::kMessages, message.key);
}

host::String GetFloatingText(const schema::LabelSchema& label) {
  return LookUpText(schema::kFloatingTexts, label.key);
}

}  // namespace packsentinel
