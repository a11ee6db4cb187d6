#include "core/Lifecycle.h"

#include <array>
#include <vector>

#include "commands/FindDinos.h"
#include "commands/StopTrack.h"
#include "commands/TrackTribeDinos.h"
#include "commands/TrackTribeMembers.h"
#include "commands/TrackWildDinos.h"
#include "config/Schema.h"
#include "core/Config.h"
#include "core/ReloadCommand.h"
#include "host/Framework.h"
#include "tracking/TribeDinoLabels.h"
#include "tracking/TribeMemberLabels.h"
#include "tracking/WildDinoLabels.h"

namespace packsentinel {

bool IsLoaded = false;
int32 TextUpdatePeriod = 0;

namespace {

constexpr const char* kReloadCommand = "Packsentinel.Reload";
// Plain function pointers, in the order of the command sections: constant-initialised, so
// ready before the attach notification.
constexpr std::array<void (*)(AShooterPlayerController*, FString*, int32), 5> kChatHandlers = {
    TrackTribeMembersCommand, TrackTribeDinosCommand, TrackWildDinosCommand, FindDinosCommand,
    StopTrackCommand};
static_assert(kChatHandlers.size() == schema::kCommandSchemas.size());
constexpr std::array<const char*, 3> kTickIds = {"DrawPlayersText", "DrawDinosText",
                                                 "DrawWildDinos"};
constexpr std::array<void (*)(float), 3> kTickHandlers = {
    TribeMemberLabelUpdater, TribeDinoLabelUpdater, WildDinoLabelUpdater};

// What is registered with the host right now, so that withdrawal never depends on a
// configuration that may have changed or broken since.
bool consoleRegistered = false;
std::vector<std::string> registeredWords;
std::vector<std::string> registeredTicks;

bool hostFaultLogged = false;

}  // namespace

std::shared_ptr<spdlog::logger>& PluginLogger() {
  static std::shared_ptr<spdlog::logger> logger;
  return logger;
}

void LogHostFaultOnce(std::string_view text) {
  if (hostFaultLogged || !PluginLogger()) return;
  PluginLogger()->error(text);
  hostFaultLogged = true;
}

void RegisterCommands() {
  host::RegisterConsoleCommand(kReloadCommand, ReloadConfigCommand);
  consoleRegistered = true;
  for (std::size_t i = 0; i < kChatHandlers.size(); ++i) {
    const auto word =
        Config["Commands"][schema::kCommandSchemas[i].key]["Command"].get<std::string>();
    host::RegisterChatCommand(word, kChatHandlers[i]);
    registeredWords.push_back(word);
  }
}

void RemoveCommands() {
  if (consoleRegistered) host::UnregisterConsoleCommand(kReloadCommand);
  consoleRegistered = false;
  for (const auto& word : registeredWords) host::UnregisterChatCommand(word);
  registeredWords.clear();
}

void RegisterTickCallbacks() {
  TextUpdatePeriod = ReadInt32(Config["UpdateTextEvery"]);
  for (std::size_t i = 0; i < kTickIds.size(); ++i) {
    host::RegisterTickCallback(kTickIds[i], kTickHandlers[i]);
    registeredTicks.push_back(kTickIds[i]);
  }
}

void RemoveTickCallbacks() {
  for (const auto& id : registeredTicks) host::UnregisterTickCallback(id);
  registeredTicks.clear();
}

void Load() {
  auto& sinks = host::GetLogSinks();
  auto logger = std::make_shared<spdlog::logger>("Packsentinel", sinks.begin(), sinks.end());
  logger->set_pattern("%D %R [%n][%l] %v", spdlog::pattern_time_type::local);
  logger->flush_on(spdlog::level::info);
  PluginLogger() = std::move(logger);
  hostFaultLogged = false;

  try {
    LogConfigProblems(ReadConfig());
    IsLoaded = true;
    RegisterCommands();
    RegisterTickCallbacks();
  } catch (const std::exception& error) {
    RemoveCommands();
    RemoveTickCallbacks();
    IsLoaded = false;
    if (const auto* rejected = dynamic_cast<const ConfigRejected*>(&error)) {
      LogConfigProblems(rejected->Problems());
    }
    PluginLogger()->error("Error reading config: {}", error.what());
    throw;
  }
}

void Unload() {
  RemoveCommands();
  RemoveTickCallbacks();
}

}  // namespace packsentinel
