#include "host/Framework.h"

#include "ArkApi/IApiUtils.h"
#include "ArkApi/ICommands.h"
#include "ArkApi/Log.h"
#include "ArkApi/Permissions.h"
#include "ArkApi/PluginEntry.h"
#include "ArkApi/Tools.h"
#include "host/DynamicLibrary.h"

namespace host {

void RegisterChatCommand(const std::string& name, const ChatCommandHandler& handler) {
  ArkApi::GetCommands().RegisterChatCommand(Widen(name), handler);
}

void RegisterConsoleCommand(const std::string& name, const ConsoleCommandHandler& handler) {
  ArkApi::GetCommands().RegisterConsoleCommand(Widen(name), handler);
}

void RegisterTickCallback(const std::string& id, const TickHandler& handler) {
  ArkApi::GetCommands().RegisterTickCallback(Widen(id), handler);
}

void UnregisterChatCommand(const std::string& name) {
  ArkApi::GetCommands().UnregisterChatCommand(Widen(name));
}

void UnregisterConsoleCommand(const std::string& name) {
  ArkApi::GetCommands().UnregisterConsoleCommand(Widen(name));
}

void UnregisterTickCallback(const std::string& id) {
  ArkApi::GetCommands().UnregisterTickCallback(Widen(id));
}

std::string GetCurrentDir() { return ArkApi::Tools::GetCurrentDir(); }

std::vector<spdlog::sink_ptr>& GetLogSinks() { return ::GetLogSinks(); }

namespace {

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
      isPlayerInGroup_ = reinterpret_cast<Permissions::IsPlayerInGroupFunction>(
          FindSymbol(library_, Permissions::kIsPlayerInGroupSymbol));
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
  const char* libraryName_ = Permissions::kLibraryName;
  void* library_ = nullptr;
  Permissions::IsPlayerInGroupFunction isPlayerInGroup_ = nullptr;
};

PermissionsBinding permissions;

}  // namespace

std::optional<bool> IsPlayerInGroup(uint64 playerId, const std::string& group,
                                    std::string& bindError) {
  if (!permissions.Bind(bindError)) return std::nullopt;
  return permissions.Ask(playerId, Widen(group));
}

void BindPermissionsFrom(const char* libraryName) { permissions.From(libraryName); }

UWorld* GetGameWorld() { return ArkApi::GetApiUtils().GetGameWorld(); }

AShooterGameMode* GetGameModeObject() { return ArkApi::GetApiUtils().GetGameModeObject(); }

AShooterPlayerController* FindControllerBySteamId(uint64 playerId) {
  return ArkApi::GetApiUtils().FindControllerBySteamId(playerId);
}

void ReportAttachFailure(const std::string& reason) { ArkApi::ReportAttachFailure(reason.c_str()); }

}  // namespace host
