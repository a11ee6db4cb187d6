#include <API/ARK/Ark.h>

#include "host/Framework.h"

#include "host/DynamicLibrary.h"
#include "host/Text.h"

namespace host {
namespace {

FString WidenName(const std::string& name) { return ToFString(Widen(name)); }

TextView LineOf(const FString* line) { return line ? ViewOf(*line) : TextView(); }

}  // namespace

void AddChatCommand(const std::string& name, ChatCommandHandler handler) {
  ArkApi::GetCommands().AddChatCommand(
      WidenName(name),
      [handler](AShooterPlayerController* player, FString* line, EChatSendMode::Type mode) {
        handler(player, LineOf(line), mode);
      });
}

void AddConsoleCommand(const std::string& name, ConsoleCommandHandler handler) {
  ArkApi::GetCommands().AddConsoleCommand(
      WidenName(name), [handler](APlayerController* issuer, FString* line, bool flag) {
        handler(static_cast<AShooterPlayerController*>(issuer), LineOf(line), flag);
      });
}

void AddOnTickCallback(const std::string& id, TickHandler handler) {
  ArkApi::GetCommands().AddOnTickCallback(WidenName(id), handler);
}

void RemoveChatCommand(const std::string& name) {
  ArkApi::GetCommands().RemoveChatCommand(WidenName(name));
}

void RemoveConsoleCommand(const std::string& name) {
  ArkApi::GetCommands().RemoveConsoleCommand(WidenName(name));
}

void RemoveOnTickCallback(const std::string& id) {
  ArkApi::GetCommands().RemoveOnTickCallback(WidenName(id));
}

std::string GetCurrentDir() { return ArkApi::Tools::GetCurrentDir(); }

UWorld* GetWorld() { return ArkApi::GetApiUtils().GetWorld(); }

AShooterGameMode* GetShooterGameMode() { return ArkApi::GetApiUtils().GetShooterGameMode(); }

AShooterPlayerController* FindPlayerFromSteamId(std::uint64_t playerId) {
  return ArkApi::GetApiUtils().FindPlayerFromSteamId(playerId);
}

namespace {

// The permissions plugin is not part of the framework: it publishes this one function, unmangled,
// from its own library.
using IsPlayerInGroupFunction = bool (*)(uint64, const FString&);
#ifdef _WIN32
constexpr const char* kPermissionsLibrary = "Permissions.dll";
#else
constexpr const char* kPermissionsLibrary = "libPermissions.so";
#endif
constexpr const char* kIsPlayerInGroupSymbol = "IsPlayerInGroup";

// The permissions library, held while this plugin is loaded.
class PermissionsBinding {
 public:
  ~PermissionsBinding() { Release(); }

  void From(const char* libraryName) {
    Release();
    libraryName_ = libraryName;
  }

  // Until it is found every check tries again, so the permissions plugin may come later.
  bool Bind(std::string& error) {
    if (isPlayerInGroup_ != nullptr) return true;
    if (library_ == nullptr) library_ = OpenLibrary(libraryName_);
    if (library_ != nullptr) {
      isPlayerInGroup_ =
          reinterpret_cast<IsPlayerInGroupFunction>(FindSymbol(library_, kIsPlayerInGroupSymbol));
    }
    if (isPlayerInGroup_ != nullptr) return true;
    error = LastLinkError();
    if (error.empty()) error = "IsPlayerInGroup not found";
    return false;
  }

  bool Ask(uint64 playerId, const FString& group) const {
    return isPlayerInGroup_(playerId, group);
  }

 private:
  void Release() {
    if (library_ != nullptr) CloseLibrary(library_);
    library_ = nullptr;
    isPlayerInGroup_ = nullptr;
  }

  // A plain pointer keeps the binding constant-initialised, ready whatever the start-up order.
  const char* libraryName_ = kPermissionsLibrary;
  void* library_ = nullptr;
  IsPlayerInGroupFunction isPlayerInGroup_ = nullptr;
};

PermissionsBinding permissions;

}  // namespace

std::optional<bool> IsPlayerInGroup(std::uint64_t playerId, const std::string& group,
                                    std::string& bindError) {
  if (!permissions.Bind(bindError)) return std::nullopt;
  return permissions.Ask(playerId, WidenName(group));
}

void BindPermissionsFrom(const char* libraryName) { permissions.From(libraryName); }

}  // namespace host
