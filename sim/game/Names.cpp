// Fields and flags by name, with the offsets of the game's own objects.

#include "Names.h"

#include <cstddef>

#include "framework/Names.h"
#include "game/Objects.h"

// The objects are polymorphic, so offsetof is only conditionally supported; the compilers
// this builds with give the layout offset, which is what the game publishes.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

namespace game {
namespace {

void RegisterFields() {
  using framework::RegisterField;
  RegisterField("AActor.RootComponent", offsetof(AActor, RootComponent));
  RegisterField("AActor.TargetingTeam", offsetof(AActor, TargetingTeam));
  RegisterField("USceneComponent.RelativeLocation", offsetof(USceneComponent, RelativeLocation));
  RegisterField("USceneComponent.AttachParent", offsetof(USceneComponent, AttachParent));
  RegisterField("USceneComponent.ComponentToWorld", offsetof(USceneComponent, ComponentToWorld));
  RegisterField("APrimalCharacter.DescriptiveName", offsetof(APrimalCharacter, DescriptiveName));
  RegisterField("APrimalCharacter.MyCharacterStatusComponent",
                offsetof(APrimalCharacter, MyCharacterStatusComponent));
  RegisterField("APrimalWorldSettings.LatitudeOrigin",
                offsetof(APrimalWorldSettings, LatitudeOrigin));
  RegisterField("APrimalWorldSettings.LatitudeScale",
                offsetof(APrimalWorldSettings, LatitudeScale));
  RegisterField("APrimalWorldSettings.LongitudeOrigin",
                offsetof(APrimalWorldSettings, LongitudeOrigin));
  RegisterField("APrimalWorldSettings.LongitudeScale",
                offsetof(APrimalWorldSettings, LongitudeScale));
  RegisterField("AController.PlayerState", offsetof(AController, PlayerState));
  RegisterField("AShooterPlayerState.MyTribeData", offsetof(AShooterPlayerState, MyTribeData));
  RegisterField("FTribeData.MembersPlayerDataID", offsetof(FTribeData, MembersPlayerDataID));
  RegisterField("AShooterPlayerController.LinkedPlayerID",
                offsetof(AShooterPlayerController, LinkedPlayerID));
  RegisterField("UWorld.PlayerControllerList", offsetof(UWorld, PlayerControllerList));
}

void RegisterFlags() {
  using framework::RegisterBitField;
  RegisterBitField("APrimalCharacter.bIsDead", offsetof(APrimalCharacter, CharacterFlags),
                   APrimalCharacter::kIsDeadBit);
  RegisterBitField("APrimalCharacter.bIsSleeping", offsetof(APrimalCharacter, CharacterFlags),
                   APrimalCharacter::kIsSleepingBit);
  RegisterBitField("APrimalDinoCharacter.bIsDestroyingDino",
                   offsetof(APrimalDinoCharacter, DinoFlags),
                   APrimalDinoCharacter::kIsDestroyingDinoBit);
  RegisterBitField("AShooterCharacter.bIsConnected", offsetof(AShooterCharacter, ShooterFlags),
                   AShooterCharacter::kIsConnectedBit);
  RegisterBitField("AShooterPlayerController.bIsRespawning",
                   offsetof(AShooterPlayerController, ControllerFlags),
                   AShooterPlayerController::kIsRespawningBit);
}

}  // namespace

void RegisterNames() {
  static const bool registered = [] {
    RegisterFields();
    RegisterFlags();
    RegisterWorldFunctions();
    RegisterClientOutputs();
    return true;
  }();
  (void)registered;
}

}  // namespace game
