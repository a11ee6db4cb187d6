#pragma once

// The framework's side facing the game server and its loader: what it asks of the running
// game, and the entry points through which the server hands it chat, console lines and ticks.

#include <API/ARK/Ark.h>

#include <string>
#include <string_view>

namespace framework {

class GameBackend {
 public:
  virtual ~GameBackend() = default;
  virtual UWorld* World() = 0;
  virtual AShooterGameMode* GameMode() = 0;
  virtual AShooterPlayerController* FindControllerBySteamId(uint64 steamId) = 0;
};

// The game answering IApiUtils; none detaches it.
ARK_API void SetGameBackend(GameBackend* backend);
ARK_API void SetCurrentDir(const std::string& dir);

// A chat line: calls the handler of the command whose name equals the line's first word
// (ASCII case ignored). False when no command took it.
ARK_API bool DispatchChat(AShooterPlayerController* player, FString& line,
                          EChatSendMode::Type mode);
ARK_API bool DispatchConsole(APlayerController* player, FString& line);
// A packet of an authenticated RCON client: its body is matched as a console line is.
ARK_API bool DispatchRcon(RCONClientConnection* connection, RCONPacket& packet, UWorld* world);
// One server tick: the tick number advances, then every tick callback runs in registration order.
ARK_API void RunTick(float deltaSeconds);

// What ArkApi::Tools::IsPluginLoaded answers for a plugin's name.
ARK_API void SetPluginLoaded(const std::string& name, bool loaded);

// The end of a server whose plugin let an exception out of a handler, or called game code that is
// not there: a server_crash event, then the crash handler, which must not return (by default the
// process exits with status 3 on the spot: no plugin is unloaded, no destructor runs).
[[noreturn]] ARK_API void CrashServer(std::string_view kind, std::string_view name,
                                      std::string_view text);
ARK_API void SetCrashHandler(void (*handler)());

}  // namespace framework
