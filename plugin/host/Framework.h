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
// The client connection to answer and the packet's id, as an RCON reply needs them.
struct RconRequest {
  RCONClientConnection* connection;
  std::int32_t packetId;
};
using RconCommandHandler = void (*)(const RconRequest& request, TextView line);
using TickHandler = void (*)(float deltaSeconds);

// Names are narrow, widened byte by byte for the framework. Nothing a handler raises leaves it:
// it is logged (host/HandlerErrors.h) and the handler returns normally.
void AddChatCommand(const std::string& name, ChatCommandHandler handler);
void AddConsoleCommand(const std::string& name, ConsoleCommandHandler handler);
void AddRconCommand(const std::string& name, RconCommandHandler handler);
void AddOnTickCallback(const std::string& id, TickHandler handler);
// The framework removes the first registration of the name ignoring case, whichever plugin made
// it: ids and words must be the plugin's own.
void RemoveChatCommand(const std::string& name);
void RemoveConsoleCommand(const std::string& name);
void RemoveRconCommand(const std::string& name);
void RemoveOnTickCallback(const std::string& id);

// A response to the request, over its connection.
void SendRconReply(const RconRequest& request, TextView text);

// The folder under which the framework keeps ArkApi/Plugins/.
std::string GetCurrentDir();

UWorld* GetWorld();
AShooterGameMode* GetShooterGameMode();

// Asks the permissions plugin, found among the loaded libraries at each call (so the plugin
// loads without it and it may reload). None while it is not there; bindError then says why.
std::optional<bool> IsPlayerInGroup(std::uint64_t playerId, const std::string& group,
                                    std::string& bindError);
// The library the permissions plugin is looked for in (a name that lives as long as the
// program): the host's, unless a test stands in a missing one.
void BindPermissionsFrom(const char* libraryName);

}  // namespace host
