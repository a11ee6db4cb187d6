#include "host/Framework.h"

#include <dlfcn.h>

#include "ArkApi/IApiUtils.h"
#include "ArkApi/ICommands.h"
#include "ArkApi/Log.h"
#include "ArkApi/Permissions.h"
#include "ArkApi/PluginEntry.h"
#include "ArkApi/Tools.h"

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
struct PermissionsBinding {
  void* library = nullptr;
  Permissions::IsPlayerInGroupFunction isPlayerInGroup = nullptr;

  ~PermissionsBinding() {
    if (library != nullptr) dlclose(library);
  }

  // Until it is found every check tries again, so the permissions plugin may come later.
  bool Bind(std::string& error) {
    if (isPlayerInGroup != nullptr) return true;
    if (library == nullptr) library = dlopen(Permissions::kLibraryName, RTLD_NOW);
    if (library != nullptr) {
      isPlayerInGroup = reinterpret_cast<Permissions::IsPlayerInGroupFunction>(
          dlsym(library, Permissions::kIsPlayerInGroupSymbol));
    }
    if (isPlayerInGroup != nullptr) return true;
    const char* reason = dlerror();
    error = reason ? reason : "IsPlayerInGroup not found";
    return false;
  }
};

PermissionsBinding permissions;

}  // namespace

std::optional<bool> IsPlayerInGroup(uint64 playerId, const std::string& group,
                                    std::string& bindError) {
  if (!permissions.Bind(bindError)) return std::nullopt;
  return permissions.isPlayerInGroup(playerId, Widen(group));
}

UWorld* GetGameWorld() { return ArkApi::GetApiUtils().GetGameWorld(); }

AShooterGameMode* GetGameModeObject() { return ArkApi::GetApiUtils().GetGameModeObject(); }

AShooterPlayerController* FindControllerBySteamId(uint64 playerId) {
  return ArkApi::GetApiUtils().FindControllerBySteamId(playerId);
}

void ReportAttachFailure(const std::string& reason) { ArkApi::ReportAttachFailure(reason.c_str()); }

}  // namespace host
