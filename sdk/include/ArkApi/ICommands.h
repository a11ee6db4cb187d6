#pragma once

// The framework's registry of chat commands, console commands and tick callbacks. The
// framework keeps its own copy of every handler.

#include <functional>

#include "ArkApi/BasicTypes.h"
#include "ArkApi/Export.h"
#include "ArkApi/FString.h"

namespace ArkApi {

// (player, chat line as typed, chat send mode)
using ChatCommandCallback = std::function<void(AShooterPlayerController*, FString*, int32)>;
// (issuing player or none, command line, flag)
using ConsoleCommandCallback = std::function<void(APlayerController*, FString*, bool)>;
// (seconds since the last tick)
using TickCallback = std::function<void(float)>;

class ICommands {
 public:
  virtual ~ICommands() = default;

  // Called with the whole line when a player's chat line starts with the command word.
  virtual void RegisterChatCommand(const FString& command, const ChatCommandCallback& callback) = 0;
  virtual void RegisterConsoleCommand(const FString& command,
                                      const ConsoleCommandCallback& callback) = 0;
  // Called once per server tick.
  virtual void RegisterTickCallback(const FString& id, const TickCallback& callback) = 0;
  virtual bool UnregisterChatCommand(const FString& command) = 0;
  virtual bool UnregisterConsoleCommand(const FString& command) = 0;
  virtual bool UnregisterTickCallback(const FString& id) = 0;
};

ARKAPI_EXPORT ICommands& GetCommands();

}  // namespace ArkApi
