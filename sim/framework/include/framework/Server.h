#pragma once

// The framework's side facing the game server: what it asks of the running game, and the
// entry points through which the server hands it chat, console lines and ticks.

#include <string>

#include "ArkApi/BasicTypes.h"
#include "ArkApi/Export.h"
#include "ArkApi/FString.h"

namespace framework {

class GameBackend {
 public:
  virtual ~GameBackend() = default;
  virtual UWorld* World() = 0;
  virtual AShooterGameMode* GameMode() = 0;
  virtual AShooterPlayerController* FindControllerBySteamId(uint64 steamId) = 0;
  virtual int32 PlayerControllerCount() = 0;
};

// The game answering IApiUtils; none detaches it.
ARKAPI_EXPORT void SetGameBackend(GameBackend* backend);
ARKAPI_EXPORT void SetCurrentDir(const std::string& dir);

// A chat line: calls the handler of the command whose name equals the line's first word
// (ASCII case ignored). False when no command took it.
ARKAPI_EXPORT bool DispatchChat(AShooterPlayerController* player, FString& line, int32 mode);
ARKAPI_EXPORT bool DispatchConsole(APlayerController* player, FString& line);
// One server tick: the tick number advances, then every tick callback runs in registration order.
ARKAPI_EXPORT void RunTick(float deltaSeconds);

// The failure a plugin reported while attaching, consumed by the loader.
ARKAPI_EXPORT bool TakeAttachFailure(std::string& reason);

}  // namespace framework
