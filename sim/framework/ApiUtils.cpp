#include "ArkApi/IApiUtils.h"
#include "framework/Server.h"

namespace {

framework::GameBackend* backend = nullptr;

class ApiUtils final : public ArkApi::IApiUtils {
 public:
  UWorld* GetGameWorld() const override { return backend ? backend->World() : nullptr; }
  AShooterGameMode* GetGameModeObject() const override {
    return backend ? backend->GameMode() : nullptr;
  }
  ArkApi::ServerStatus GetStatus() const override {
    return backend ? ArkApi::ServerStatus::Ready : ArkApi::ServerStatus::Loading;
  }
  int32 GetPlayerControllerCount() const override {
    return backend ? backend->PlayerControllerCount() : 0;
  }
  AShooterPlayerController* FindControllerBySteamId(uint64 steamId) const override {
    return backend ? backend->FindControllerBySteamId(steamId) : nullptr;
  }
};

}  // namespace

namespace ArkApi {

IApiUtils& GetApiUtils() {
  static ApiUtils utils;
  return utils;
}

}  // namespace ArkApi

namespace framework {

void SetGameBackend(GameBackend* game) { backend = game; }

}  // namespace framework
