#include "core/Lifecycle.h"

#include <array>
#include <json.hpp>
#include <stdexcept>
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
#include "host/GameName.h"
#include "host/HandlerErrors.h"
#include "host/Log.h"
#include "tracking/TribeDinoLabels.h"
#include "tracking/TribeMemberLabels.h"
#include "tracking/WildDinoLabels.h"

namespace packsentinel {

std::int32_t TextUpdatePeriod = 0;

namespace {

constexpr const char* kReloadCommand = "Packsentinel.Reload";
// Each chat command's section, whose word it is registered under, with its handler, in the
// order of registration. Plain pointers: constant-initialised, so ready before the attach
// notification.
struct ChatCommand {
  const schema::CommandSection* section;
  host::ChatCommandHandler handler;
};
constexpr std::array<ChatCommand, 5> kChatCommands = {{
    {&schema::kTrackTribeMembers, TrackTribeMembersCommand},
    {&schema::kTrackTribeDinos, TrackTribeDinosCommand},
    {&schema::kTrackWildDinos, TrackWildDinosCommand},
    {&schema::kFindDinos, FindDinosCommand},
    {&schema::kStopTrack, StopTrackCommand},
}};
struct TickCallback {
  const char* id;
  host::TickHandler handler;
};
// Prefixed with the plugin's name: the framework withdraws the first callback of an id whichever
// plugin added it, so a generic id shared with another plugin would leave ours running after
// unload, in a released library.
constexpr TickCallback kTickCallbacks[] = {
    {"Packsentinel.DrawPlayersText", TribeMemberLabelUpdater},
    {"Packsentinel.DrawDinosText", TribeDinoLabelUpdater},
    {"Packsentinel.DrawWildDinos", WildDinoLabelUpdater}};

// What is registered with the host right now, so that withdrawal never depends on a
// configuration that may have changed or broken since.
bool reloadRegistered = false;
std::vector<std::string> registeredWords;
std::vector<std::string> registeredTicks;

bool hostFaultLogged = false;

PluginState state = PluginState::NotLoaded;

void LogWithdrawalFailure(const char* kind, const std::string& name, const char* why) noexcept {
  try {
    host::LogError("Can't withdraw the " + std::string(kind) + " " + name + ": " + why);
  } catch (...) {
    // Not even the log line could be made: the withdrawals after it matter more.
  }
}

// Each withdrawal on its own: one that fails must not leave the rest registered, to be called
// once the library is gone.
void Withdraw(void (*remove)(const std::string&), const char* kind,
              const std::string& name) noexcept {
  try {
    remove(name);
  } catch (const std::exception& error) {
    LogWithdrawalFailure(kind, name, error.what());
  } catch (...) {
    LogWithdrawalFailure(kind, name, "unknown error");
  }
}

}  // namespace

PluginState State() { return state; }

bool IsLoaded() { return state == PluginState::Loaded; }

void LogHostFaultOnce(std::string_view text) {
  if (hostFaultLogged || !host::IsLogOpen()) return;
  host::LogError(std::string(text));
  hostFaultLogged = true;
}

void RegisterReloadCommand() {
  host::AddConsoleCommand(kReloadCommand, ReloadConfigCommand);
  host::AddRconCommand(kReloadCommand, ReloadConfigRconCommand);
  reloadRegistered = true;
}

void RemoveReloadCommand() {
  if (reloadRegistered) {
    Withdraw(host::RemoveConsoleCommand, "console command", kReloadCommand);
    Withdraw(host::RemoveRconCommand, "RCON command", kReloadCommand);
  }
  reloadRegistered = false;
}

void RegisterChatCommands() {
  for (const ChatCommand& command : kChatCommands) {
    const auto word =
        Config[schema::kCommands][command.section->key][schema::kCommandWord].get<std::string>();
    host::AddChatCommand(word, command.handler);
    registeredWords.push_back(word);
  }
}

void RemoveChatCommands() {
  for (const auto& word : registeredWords) Withdraw(host::RemoveChatCommand, "chat command", word);
  registeredWords.clear();
}

void RegisterTickCallbacks() {
  TextUpdatePeriod = ReadInt32(Config[schema::kUpdateTextEvery]);
  for (const auto& [id, handler] : kTickCallbacks) {
    host::AddOnTickCallback(id, handler);
    registeredTicks.push_back(id);
  }
}

void RemoveTickCallbacks() {
  for (const auto& id : registeredTicks) Withdraw(host::RemoveOnTickCallback, "tick callback", id);
  registeredTicks.clear();
}

void Load() {
  if (IsLoaded()) Unload();
  host::OpenLog("Packsentinel");

  // The real resolver answers a name the game lacks with offset 0: a call would crash the server
  // and a read would be wrong, with nothing in the log. So a game update that dropped one of
  // them stops the start here.
  if (const std::string unknown = host::UnknownGameNames(); !unknown.empty()) {
    state = PluginState::Failed;
    const std::string why =
        "Can't start: the game has no " + unknown + " (a game update may have renamed them)";
    host::LogError(why);
    throw std::runtime_error(why);
  }

  try {
    LogConfigProblems(ReadConfig());
    RegisterReloadCommand();
    RegisterChatCommands();
    RegisterTickCallbacks();
    state = PluginState::Loaded;
  } catch (const std::exception& error) {
    RemoveReloadCommand();
    RemoveChatCommands();
    RemoveTickCallbacks();
    state = PluginState::Failed;
    if (const auto* rejected = dynamic_cast<const ConfigRejected*>(&error)) {
      LogConfigProblems(rejected->Problems());
    }
    host::LogError(std::string("Error reading config: ") + error.what());
    throw;
  }
}

void Unload() {
  RemoveReloadCommand();
  RemoveChatCommands();
  RemoveTickCallbacks();
  host::LogRepeatedHandlerErrors();
  Config = nullptr;
  TextUpdatePeriod = 0;
  hostFaultLogged = false;
  state = PluginState::NotLoaded;
}

}  // namespace packsentinel
