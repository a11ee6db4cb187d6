#include "game/Objects.h"

namespace game {

#define GAME_CLASS(Type, SuperClass)                    \
  const UClass* Type::StaticClass() {                   \
    static const UClass objectClass{#Type, SuperClass}; \
    return &objectClass;                                \
  }

GAME_CLASS(USceneComponent, nullptr)
GAME_CLASS(UPrimalCharacterStatusComponent, nullptr)
GAME_CLASS(AActor, nullptr)
GAME_CLASS(APrimalCharacter, AActor::StaticClass())
GAME_CLASS(APrimalDinoCharacter, APrimalCharacter::StaticClass())
GAME_CLASS(AShooterCharacter, APrimalCharacter::StaticClass())
GAME_CLASS(APlayerState, AActor::StaticClass())
GAME_CLASS(AShooterPlayerState, APlayerState::StaticClass())
GAME_CLASS(AController, AActor::StaticClass())
GAME_CLASS(APlayerController, AController::StaticClass())
GAME_CLASS(AShooterPlayerController, APlayerController::StaticClass())
GAME_CLASS(AWorldSettings, AActor::StaticClass())
GAME_CLASS(APrimalWorldSettings, AWorldSettings::StaticClass())
GAME_CLASS(AShooterGameMode, AActor::StaticClass())
GAME_CLASS(UWorld, nullptr)

#undef GAME_CLASS

}  // namespace game
