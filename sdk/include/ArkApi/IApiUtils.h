#pragma once

// What the framework knows of the running game.

#include "ArkApi/BasicTypes.h"
#include "ArkApi/Export.h"

namespace ArkApi {

enum class ServerStatus { Loading, Ready };

class IApiUtils {
 public:
  virtual ~IApiUtils() = default;

  virtual UWorld* GetGameWorld() const = 0;
  virtual AShooterGameMode* GetGameModeObject() const = 0;
  virtual ServerStatus GetStatus() const = 0;
  // Players with a controller, connected or not.
  virtual int32 GetPlayerControllerCount() const = 0;
  // The controller of a 64-bit player id, or none.
  virtual AShooterPlayerController* FindControllerBySteamId(uint64 steamId) const = 0;
};

ARKAPI_EXPORT IApiUtils& GetApiUtils();

}  // namespace ArkApi
