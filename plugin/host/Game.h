#pragma once

// The game as the plugin sees it: typed wrappers over the functions, fields and flags the game
// publishes by name. Every call resolves its name anew; nothing is cached. The wrappers that a
// refresh or a search calls for every entry or creature are inline, so that around each lookup
// there is no call of the plugin's own.

#include "ArkApi/BasicTypes.h"
#include "ArkApi/ChatMessage.h"
#include "ArkApi/Resolver.h"
#include "ArkApi/Vector.h"
#include "host/Colour.h"
#include "host/Text.h"
#include "host/WeakRef.h"

namespace host {

// A game function that builds its answer in storage the caller passes, as the game's calling
// form does for records.
template <typename R, typename... Args>
R NativeCallForResult(const void* self, GameName name, Args... args) {
  R result;
  NativeCall<R*, R*, Args...>(self, name, &result, args...);
  return result;
}

// Player controllers.
uint64 GetPlayerId(AShooterPlayerController* controller);  // 0 for none
inline AShooterCharacter* GetPlayerCharacter(AShooterPlayerController* controller) {
  return NativeCall<AShooterCharacter*>(controller, "AShooterPlayerController.GetPlayerCharacter");
}
inline bool IsRespawning(AShooterPlayerController* controller) {
  return GetNativeBitField(controller, "AShooterPlayerController.bIsRespawning");
}
uint64 GetLinkedPlayerId(AShooterPlayerController* controller);
FString GetPlayerCharacterName(AShooterPlayerController* controller);
AShooterPlayerState* GetPlayerState(AController* controller);

// What players are sent.
void ClientChatMessage(AShooterPlayerController* controller, const FChatMessage& message);
void ClientServerChatDirectMessage(AShooterPlayerController* controller, const FString& text,
                                   const LinearColour& colour, bool bold);
void ClientServerNotificationSingle(AShooterPlayerController* controller, const FString& text,
                                    const LinearColour& colour, float scale, float displayTime,
                                    UTexture2D* icon, USoundBase* sound, int32 priority);
void ClientServerSOTFNotificationCustom(AShooterPlayerController* controller, const FString& text,
                                        const LinearColour& colour, float scale, float displayTime,
                                        UTexture2D* icon, USoundBase* sound);
void ClientAddFloatingText(AShooterPlayerController* controller, const FVector& at,
                           const FString& text, PackedColour colour, float scaleX, float scaleY,
                           float lifeSpan, const FVector& velocity, float minScale, float fadeIn,
                           float fadeOut);
void MulticastDrawDebugString(AActor* actor, const FVector& at, const FString& text,
                              AActor* baseActor, const LinearColour& colour, float duration,
                              bool popBack);

// Actors.
inline int32 GetTargetingTeam(AActor* actor) {
  return GetNativeField<int32>(actor, "AActor.TargetingTeam");
}
USceneComponent* GetRootComponent(AActor* actor);
FVector GetRelativeLocation(USceneComponent* component);
inline float GetDistanceTo(AActor* actor, AActor* other) {
  return NativeCall<float, AActor*>(actor, "AActor.GetDistanceTo", other);
}
inline bool IsA(UObject* object, UClass* objectClass) {
  return NativeCall<bool, UClass*>(object, "UObjectBaseUtility.IsA", objectClass);
}
UClass* GetDinoClass();

// Characters and creatures.
// The game's answer.
inline bool IsDead(APrimalCharacter* character) {
  return NativeCall<bool>(character, "APrimalCharacter.IsDead");
}
inline bool IsDeadFlagSet(APrimalCharacter* character) {
  return GetNativeBitField(character, "APrimalCharacter.bIsDead");
}
inline bool IsSleeping(APrimalCharacter* character) {
  return GetNativeBitField(character, "APrimalCharacter.bIsSleeping");
}
// Read in place: a label or a list may show it without a copy.
inline const FString& GetDescriptiveName(APrimalCharacter* character) {
  return *GetNativePointerField<FString*>(character, "APrimalCharacter.DescriptiveName");
}
inline UPrimalCharacterStatusComponent* GetStatusComponent(APrimalCharacter* character) {
  return GetNativeField<UPrimalCharacterStatusComponent*>(
      character, "APrimalCharacter.MyCharacterStatusComponent");
}
inline int32 GetCharacterLevel(UPrimalCharacterStatusComponent* status) {
  return NativeCall<int32>(status, "UPrimalCharacterStatusComponent.GetCharacterLevel");
}
inline FVector GetCapsuleTopLocation(APrimalCharacter* character) {
  return NativeCallForResult<FVector>(character, "APrimalCharacter.GetCapsuleTopLocation");
}
inline bool IsDestroyingDino(APrimalDinoCharacter* dino) {
  return GetNativeBitField(dino, "APrimalDinoCharacter.bIsDestroyingDino");
}
FString GetDinoDescriptiveName(APrimalDinoCharacter* dino);
inline bool IsConnected(AShooterCharacter* character) {
  return GetNativeBitField(character, "AShooterCharacter.bIsConnected");
}
FVector GetPawnViewLocation(AShooterCharacter* character, bool allTransforms);

// Tribes and player ids.
const TArray<uint32>& GetTribeMemberIds(AShooterPlayerState* state);
uint64 GetSteamIdForPlayerId(AShooterGameMode* gameMode, int32 playerDataId);
void AddPlayerId(AShooterGameMode* gameMode, int32 playerDataId, uint64 playerId);

// The world.
WeakRefList<APlayerController> GetPlayerControllers(UWorld* world);
APrimalWorldSettings* GetWorldSettings(UWorld* world);
struct MapScale {
  float latitudeScale, latitudeOrigin, longitudeScale, longitudeOrigin;
};
MapScale GetMapScale(APrimalWorldSettings* settings);
// Appends the actors of an octree group within radius of centre.
void ServerOctreeOverlapActors(TArray<AActor*>& result, UWorld* world, const FVector& centre,
                               float radius, int32 octreeGroup, bool forceLocationCheck);
void GetAllActorsOfClass(UWorld* world, UClass* actorClass, TArray<AActor*>& result);

}  // namespace host
