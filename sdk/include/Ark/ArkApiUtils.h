#pragma once

// What the framework knows of the running game.

#include <API/ARK/Ark.h>

namespace ArkApi {

enum class ServerStatus { Loading, Ready };

struct MapCoords {
  float x = 0.f;
  float y = 0.f;
};

class ARK_API IApiUtils {
 public:
  virtual ~IApiUtils() = default;

  virtual UWorld* GetWorld() const = 0;
  virtual AShooterGameMode* GetShooterGameMode() const = 0;
  virtual ServerStatus GetStatus() const = 0;
  virtual UShooterCheatManager* GetCheatManager() const = 0;

  // The controller of a 64-bit player id, or none.
  FORCEINLINE AShooterPlayerController* FindPlayerFromSteamId(uint64 steam_id) const {
    return FindPlayerFromSteamId_Internal(steam_id);
  }

 private:
  virtual AShooterPlayerController* FindPlayerFromSteamId_Internal(uint64 steam_id) const = 0;
};

ARK_API IApiUtils& APIENTRY GetApiUtils();

}  // namespace ArkApi
