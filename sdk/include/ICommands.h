#pragma once

// The framework's registry of chat, console and rcon commands and of tick, timer and chat-message
// callbacks. The framework keeps its own copy of every handler.

#ifdef ARK_GAME
#include <API/ARK/Ark.h>
#else
#error "include <API/ARK/Ark.h> first"
#endif

#include <functional>

namespace ArkApi {

class ARK_API ICommands {
 public:
  virtual ~ICommands() = default;

  // Called with the whole line when a player's chat line starts with the command word.
  virtual void AddChatCommand(const FString& command,
                              const std::function<void(AShooterPlayerController*, FString*,
                                                       EChatSendMode::Type)>& callback) = 0;
  virtual void AddConsoleCommand(
      const FString& command,
      const std::function<void(APlayerController*, FString*, bool)>& callback) = 0;
  virtual void AddRconCommand(
      const FString& command,
      const std::function<void(RCONClientConnection*, RCONPacket*, UWorld*)>& callback) = 0;
  // Called once per server tick.
  virtual void AddOnTickCallback(const FString& id, const std::function<void(float)>& callback) = 0;
  virtual void AddOnTimerCallback(const FString& id, const std::function<void()>& callback) = 0;
  virtual void AddOnChatMessageCallback(
      const FString& id, const std::function<bool(AShooterPlayerController*, FString*,
                                                  EChatSendMode::Type, bool, bool)>& callback) = 0;
  // True when there was one of that name.
  virtual bool RemoveChatCommand(const FString& command) = 0;
  virtual bool RemoveConsoleCommand(const FString& command) = 0;
  virtual bool RemoveRconCommand(const FString& command) = 0;
  virtual bool RemoveOnTickCallback(const FString& id) = 0;
  virtual bool RemoveOnTimerCallback(const FString& id) = 0;
  virtual bool RemoveOnChatMessageCallback(const FString& id) = 0;
};

ARK_API ICommands& APIENTRY GetCommands();

}  // namespace ArkApi
