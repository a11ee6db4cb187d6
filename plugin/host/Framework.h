#pragma once

// The framework's services: registration of commands and tick callbacks, the server directory,
// the game's world and game mode, and the permissions plugin.

#include <cstdint>
#include <optional>
#include <string>

#include "host/Char.h"
#include "host/GameTypes.h"

namespace host {

// The chat line as typed, and the chat's send mode.
using ChatCommandHandler = void (*)(AShooterPlayerController* player, TextView line,
                                    std::int32_t mode);
// The issuing player (none from the server's own console), the command line and the
// framework's flag.
using ConsoleCommandHandler = void (*)(AShooterPlayerController* issuer, TextView line, bool flag);
using TickHandler = void (*)(float deltaSeconds);

// Names are narrow, widened byte by byte for the framework.
void AddChatCommand(const std::string& name, ChatCommandHandler handler);
void AddConsoleCommand(const std::string& name, ConsoleCommandHandler handler);
void AddOnTickCallback(const std::string& id, TickHandler handler);
void RemoveChatCommand(const std::string& name);
void RemoveConsoleCommand(const std::string& name);
void RemoveOnTickCallback(const std::string& id);

// The folder under which the framework keeps ArkApi/Plugins/.
std::string GetCurrentDir();

UWorld* GetWorld();
AShooterGameMode* GetShooterGameMode();
// The controller of a 64-bit player id, or none.
AShooterPlayerController* FindPlayerFromSteamId(std::uint64_t playerId);

// Asks the permissions plugin, bound on first use (so the plugin loads without it). None
// while it cannot be bound; bindError then says why.
std::optional<bool> IsPlayerInGroup(std::uint64_t playerId, const std::string& group,
                                    std::string& bindError);
// Where the permissions plugin is bound from at the next check (a name that lives as long as
// the program): the host's library, unless a test stands in a missing one.
void BindPermissionsFrom(const char* libraryName);

}  // namespace host
