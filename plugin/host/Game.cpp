#include "host/Game.h"

#include "ArkApi/Resolver.h"

namespace host {

uint64 GetPlayerId(AShooterPlayerController* controller) {
  if (controller == nullptr) return 0;
  return NativeCall<uint64>(controller, "AShooterPlayerController.GetUniqueNetIdAsUINT64");
}

uint64 GetLinkedPlayerId(AShooterPlayerController* controller) {
  return GetNativeField<uint64>(controller, "AShooterPlayerController.LinkedPlayerID");
}

FString GetPlayerCharacterName(AShooterPlayerController* controller) {
  return NativeCallForResult<FString>(controller,
                                      "AShooterPlayerController.GetPlayerCharacterName");
}

AShooterPlayerState* GetPlayerState(AController* controller) {
  return GetNativeField<AShooterPlayerState*>(controller, "AController.PlayerState");
}

void ClientChatMessage(AShooterPlayerController* controller, const FChatMessage& message) {
  NativeCall<void, FChatMessage>(controller, "AShooterPlayerController.ClientChatMessage", message);
}

namespace {

FLinearColor ToGame(const LinearColour& colour) {
  return FLinearColor(colour.red, colour.green, colour.blue, colour.alpha);
}

}  // namespace

void ClientServerChatDirectMessage(AShooterPlayerController* controller, const FString& text,
                                   const LinearColour& colour, bool bold) {
  NativeCall<void, const FString&, FLinearColor, bool>(
      controller, "AShooterPlayerController.ClientServerChatDirectMessage", text, ToGame(colour),
      bold);
}

void ClientServerNotificationSingle(AShooterPlayerController* controller, const FString& text,
                                    const LinearColour& colour, float scale, float displayTime,
                                    UTexture2D* icon, USoundBase* sound, int32 priority) {
  NativeCall<void, const FString&, FLinearColor, float, float, UTexture2D*, USoundBase*, int32>(
      controller, "AShooterPlayerController.ClientServerNotificationSingle", text, ToGame(colour),
      scale, displayTime, icon, sound, priority);
}

void ClientServerSOTFNotificationCustom(AShooterPlayerController* controller, const FString& text,
                                        const LinearColour& colour, float scale, float displayTime,
                                        UTexture2D* icon, USoundBase* sound) {
  NativeCall<void, const FString&, FLinearColor, float, float, UTexture2D*, USoundBase*>(
      controller, "AShooterPlayerController.ClientServerSOTFNotificationCustom", text,
      ToGame(colour), scale, displayTime, icon, sound);
}

void ClientAddFloatingText(AShooterPlayerController* controller, const FVector& at,
                           const FString& text, PackedColour colour, float scaleX, float scaleY,
                           float lifeSpan, const FVector& velocity, float minScale, float fadeIn,
                           float fadeOut) {
  NativeCall<void, FVector, const FString&, FColor, float, float, float, FVector, float, float,
             float>(controller, "AShooterPlayerController.ClientAddFloatingText", at, text,
                    FColor(colour.argb), scaleX, scaleY, lifeSpan, velocity, minScale, fadeIn,
                    fadeOut);
}

void MulticastDrawDebugString(AActor* actor, const FVector& at, const FString& text,
                              AActor* baseActor, const LinearColour& colour, float duration,
                              bool popBack) {
  NativeCall<void, const FVector&, const FString&, AActor*, FLinearColor, float, bool>(
      actor, "AActor.MulticastDrawDebugString", at, text, baseActor, ToGame(colour), duration,
      popBack);
}

USceneComponent* GetRootComponent(AActor* actor) {
  return GetNativeField<USceneComponent*>(actor, "AActor.RootComponent");
}

FVector GetRelativeLocation(USceneComponent* component) {
  return GetNativeField<FVector>(component, "USceneComponent.RelativeLocation");
}

UClass* GetDinoClass() {
  return NativeCallStatic<UClass*>("APrimalDinoCharacter.GetPrivateStaticClass");
}

FString GetDinoDescriptiveName(APrimalDinoCharacter* dino) {
  return NativeCallForResult<FString>(dino, "APrimalDinoCharacter.GetDinoDescriptiveName");
}

FVector GetPawnViewLocation(AShooterCharacter* character, bool allTransforms) {
  return NativeCallForResult<FVector>(character, "AShooterCharacter.GetPawnViewLocation",
                                      allTransforms);
}

const TArray<uint32>& GetTribeMemberIds(AShooterPlayerState* state) {
  const void* tribe = GetAddress(state, "AShooterPlayerState.MyTribeData");
  return *GetNativePointerField<TArray<uint32>*>(tribe, "FTribeData.MembersPlayerDataID");
}

uint64 GetSteamIdForPlayerId(AShooterGameMode* gameMode, int32 playerDataId) {
  return NativeCall<uint64, int32>(gameMode, "AShooterGameMode.GetSteamIDForPlayerID",
                                   playerDataId);
}

void AddPlayerId(AShooterGameMode* gameMode, int32 playerDataId, uint64 playerId) {
  NativeCall<void, int32, uint64>(gameMode, "AShooterGameMode.AddPlayerID", playerDataId, playerId);
}

WeakRefList<APlayerController> GetPlayerControllers(UWorld* world) {
  return WeakRefList<APlayerController>(
      *GetNativePointerField<TArray<TWeakObjectPtr<APlayerController>>*>(
          world, "UWorld.PlayerControllerList"));
}

APrimalWorldSettings* GetWorldSettings(UWorld* world) {
  return static_cast<APrimalWorldSettings*>(
      NativeCall<AWorldSettings*, bool, bool>(world, "UWorld.GetWorldSettings", false, true));
}

MapScale GetMapScale(APrimalWorldSettings* settings) {
  return {GetNativeField<float>(settings, "APrimalWorldSettings.LatitudeScale"),
          GetNativeField<float>(settings, "APrimalWorldSettings.LatitudeOrigin"),
          GetNativeField<float>(settings, "APrimalWorldSettings.LongitudeScale"),
          GetNativeField<float>(settings, "APrimalWorldSettings.LongitudeOrigin")};
}

void ServerOctreeOverlapActors(TArray<AActor*>& result, UWorld* world, const FVector& centre,
                               float radius, int32 octreeGroup, bool forceLocationCheck) {
  NativeCallStatic<TArray<AActor*>*, TArray<AActor*>*, UWorld*, FVector, float, int32, bool>(
      "UVictoryCore.ServerOctreeOverlapActors", &result, world, centre, radius, octreeGroup,
      forceLocationCheck);
}

void GetAllActorsOfClass(UWorld* world, UClass* actorClass, TArray<AActor*>& result) {
  NativeCallStatic<void, UObject*, UClass*, TArray<AActor*>*>(
      "UGameplayStatics.GetAllActorsOfClass", world, actorClass, &result);
}

}  // namespace host
