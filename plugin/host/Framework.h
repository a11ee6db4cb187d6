#pragma once

// The framework's services: registration of commands and tick callbacks, the server
// directory, the shared log sinks and the permissions plugin.

#include <spdlog/common.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ArkApi/BasicTypes.h"
#include "host/Text.h"

namespace host {

using ChatCommandHandler = std::function<void(AShooterPlayerController*, FString*, int32)>;
using ConsoleCommandHandler = std::function<void(APlayerController*, FString*, bool)>;
using TickHandler = std::function<void(float)>;

// Names are narrow, widened byte by byte for the framework.
void RegisterChatCommand(const std::string& name, const ChatCommandHandler& handler);
void RegisterConsoleCommand(const std::string& name, const ConsoleCommandHandler& handler);
void RegisterTickCallback(const std::string& id, const TickHandler& handler);
void UnregisterChatCommand(const std::string& name);
void UnregisterConsoleCommand(const std::string& name);
void UnregisterTickCallback(const std::string& id);

std::string GetCurrentDir();
std::vector<spdlog::sink_ptr>& GetLogSinks();

// Asks the permissions plugin, bound on first use (so the plugin loads without it). None
// while it cannot be bound; bindError then says why.
std::optional<bool> IsPlayerInGroup(uint64 playerId, const std::string& group,
                                    std::string& bindError);
// Where the permissions plugin is bound from at the next check (a name that lives as long as
// the program): the host's library, unless a test stands in a missing one.
void BindPermissionsFrom(const char* libraryName);

UWorld* GetGameWorld();
AShooterGameMode* GetGameModeObject();
AShooterPlayerController* FindControllerBySteamId(uint64 playerId);

// The attach notification failed; the framework reports the plugin as failed.
void ReportAttachFailure(const std::string& reason);

}  // namespace host
