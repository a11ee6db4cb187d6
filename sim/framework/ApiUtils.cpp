#include <API/ARK/Ark.h>

#include "framework/Server.h"

namespace {

framework::GameBackend* backend = nullptr;

class ApiUtils final : public ArkApi::IApiUtils {
 public:
  UWorld* GetWorld() const override { return backend ? backend->World() : nullptr; }
  AShooterGameMode* GetShooterGameMode() const override {
    return backend ? backend->GameMode() : nullptr;
  }
  ArkApi::ServerStatus GetStatus() const override {
    return backend ? ArkApi::ServerStatus::Ready : ArkApi::ServerStatus::Loading;
  }
  // The stand-in's game has no cheat manager.
  UShooterCheatManager* GetCheatManager() const override { return nullptr; }

 private:
  AShooterPlayerController* FindPlayerFromSteamId_Internal(uint64 steamId) const override {
    return backend ? backend->FindControllerBySteamId(steamId) : nullptr;
  }
};

}  // namespace

namespace ArkApi {

IApiUtils& APIENTRY GetApiUtils() {
  static ApiUtils utils;
  return utils;
}

}  // namespace ArkApi

namespace framework {

void SetGameBackend(GameBackend* game) { backend = game; }

}  // namespace framework
