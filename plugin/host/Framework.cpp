#include <API/ARK/Ark.h>

#include "host/Framework.h"

#include "host/DynamicLibrary.h"
#include "host/HandlerErrors.h"
#include "host/Text.h"

namespace host {
namespace {

FString WidenName(const std::string& name) { return ToFString(Widen(name)); }

TextView LineOf(const FString* line) { return line ? ViewOf(*line) : TextView(); }

// Runs a handler registered under name. The name is the closure's own, which lives as long as
// the registration; a handler that withdraws itself (none of the plugin's does) must not report.
template <typename Call>
void Guarded(const std::string& name, Call&& call) noexcept {
  try {
    call();
  } catch (const std::exception& error) {
    ReportHandlerError(name, error.what());
  } catch (...) {
    ReportHandlerError(name, "unknown exception");
  }
}

}  // namespace

void AddChatCommand(const std::string& name, ChatCommandHandler handler) {
  ArkApi::GetCommands().AddChatCommand(
      WidenName(name),
      [name, handler](AShooterPlayerController* player, FString* line, EChatSendMode::Type mode) {
        Guarded(name, [&] { handler(player, LineOf(line), mode); });
      });
}

void AddConsoleCommand(const std::string& name, ConsoleCommandHandler handler) {
  ArkApi::GetCommands().AddConsoleCommand(
      WidenName(name), [name, handler](APlayerController* issuer, FString* line, bool flag) {
        Guarded(name, [&] {
          handler(static_cast<AShooterPlayerController*>(issuer), LineOf(line), flag);
        });
      });
}

void AddRconCommand(const std::string& name, RconCommandHandler handler) {
  ArkApi::GetCommands().AddRconCommand(
      WidenName(name),
      [name, handler](RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
        Guarded(name, [&] {
          if (packet == nullptr) return;
          handler(RconRequest{connection, packet->Id}, ViewOf(packet->Body));
        });
      });
}

void AddOnTickCallback(const std::string& id, TickHandler handler) {
  ArkApi::GetCommands().AddOnTickCallback(WidenName(id), [id, handler](float deltaSeconds) {
    Guarded(id, [&] { handler(deltaSeconds); });
  });
}

void RemoveChatCommand(const std::string& name) {
  ArkApi::GetCommands().RemoveChatCommand(WidenName(name));
}

void RemoveConsoleCommand(const std::string& name) {
  ArkApi::GetCommands().RemoveConsoleCommand(WidenName(name));
}

void RemoveRconCommand(const std::string& name) {
  ArkApi::GetCommands().RemoveRconCommand(WidenName(name));
}

void RemoveOnTickCallback(const std::string& id) {
  ArkApi::GetCommands().RemoveOnTickCallback(WidenName(id));
}

void SendRconReply(const RconRequest& request, TextView text) {
  if (request.connection == nullptr) return;
  FString reply = ToFString(text);
  constexpr int kResponse = 0;  // the RCON protocol's type of a command's response
  request.connection->SendMessageW(request.packetId, kResponse, &reply);
}

std::string GetCurrentDir() { return ArkApi::Tools::GetCurrentDir(); }

UWorld* GetWorld() { return ArkApi::GetApiUtils().GetWorld(); }

AShooterGameMode* GetShooterGameMode() { return ArkApi::GetApiUtils().GetShooterGameMode(); }

namespace {

// The permissions plugin is not part of the framework: a plugin of its own that exports
// `bool Permissions::IsPlayerInGroup(uint64, const FString&)` with C++ linkage, so only under the
// name its compiler gives that declaration.
using IsPlayerInGroupFunction = bool (*)(uint64, const FString&);
#ifdef _WIN32
constexpr const char* kPermissionsLibrary = "Permissions.dll";
constexpr const char* kIsPlayerInGroupSymbol =
    "?IsPlayerInGroup@Permissions@@YA_N_KAEBVFString@@@Z";
#else
constexpr const char* kPermissionsLibrary = "libPermissions.so";
constexpr const char* kIsPlayerInGroupSymbol = "_ZN11Permissions15IsPlayerInGroupEyRK7FString";
#endif

// A plain pointer keeps it constant-initialised, ready whatever the start-up order.
const char* permissionsLibrary = kPermissionsLibrary;

}  // namespace

// Looked up at every check, a few microseconds: a pointer kept from an earlier check would
// dangle once the permissions plugin reloads, and holding its library would block that reload.
std::optional<bool> IsPlayerInGroup(std::uint64_t playerId, const std::string& group,
                                    std::string& bindError) {
  const auto isPlayerInGroup = reinterpret_cast<IsPlayerInGroupFunction>(
      FindLoadedSymbol(permissionsLibrary, kIsPlayerInGroupSymbol, bindError));
  if (isPlayerInGroup == nullptr) return std::nullopt;
  // Releases with a cache answer a pair's first check "no" whatever the truth, and fill the
  // cache: a "no" is asked once more, and the second answer is the cache's.
  const FString name = WidenName(group);
  return isPlayerInGroup(playerId, name) || isPlayerInGroup(playerId, name);
}

void BindPermissionsFrom(const char* libraryName) { permissionsLibrary = libraryName; }

}  // namespace host
