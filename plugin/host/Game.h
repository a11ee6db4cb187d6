#pragma once

// The game as the plugin sees it: typed wrappers over the functions, fields and flags the game
// publishes by name. Every call resolves its name anew; nothing is cached.

#include "ArkApi/BasicTypes.h"
#include "ArkApi/ChatMessage.h"
#include "ArkApi/Vector.h"
#include "ArkApi/WeakObjectPtr.h"
#include "host/Text.h"

namespace host {

// A reference that answers none once its object is gone, even if the memory was reused.
template <typename T>
using WeakRef = TWeakObjectPtr<T>;

template <typename T>
bool SameObject(const WeakRef<T>& a, const WeakRef<T>& b) {
  return a.ObjectIndex == b.ObjectIndex && a.ObjectSerialNumber == b.ObjectSerialNumber;
}

// Player controllers.
uint64 GetPlayerId(AShooterPlayerController* controller);  // 0 for none
AShooterCharacter* GetPlayerCharacter(AShooterPlayerController* controller);
bool IsRespawning(AShooterPlayerController* controller);
uint64 GetLinkedPlayerId(AShooterPlayerController* controller);
FString GetPlayerCharacterName(AShooterPlayerController* controller);
AShooterPlayerState* GetPlayerState(AController* controller);

// What players are sent.
void ClientChatMessage(AShooterPlayerController* controller, const FChatMessage& message);
void ClientServerChatDirectMessage(AShooterPlayerController* controller, const FString& text,
                                   const FLinearColor& colour, bool bold);
void ClientServerNotificationSingle(AShooterPlayerController* controller, const FString& text,
                                    const FLinearColor& colour, float scale, float displayTime,
                                    UTexture2D* icon, USoundBase* sound, int32 priority);
void ClientServerSOTFNotificationCustom(AShooterPlayerController* controller, const FString& text,
                                        const FLinearColor& colour, float scale, float displayTime,
                                        UTexture2D* icon, USoundBase* sound);
void ClientAddFloatingText(AShooterPlayerController* controller, const FVector& at,
                           const FString& text, FColor colour, float scaleX, float scaleY,
                           float lifeSpan, const FVector* velocity, float minScale, float fadeIn,
                           float fadeOut);
void MulticastDrawDebugString(AActor* actor, const FVector& at, const FString& text,
                              AActor* baseActor, const FLinearColor& colour, float duration,
                              bool popBack);

// Actors.
int32 GetTargetingTeam(AActor* actor);
USceneComponent* GetRootComponent(AActor* actor);
FVector GetRelativeLocation(USceneComponent* component);
float GetDistanceTo(AActor* actor, AActor* other);
bool IsA(UObject* object, UClass* objectClass);
UClass* GetDinoClass();

// Characters and creatures.
bool IsDead(APrimalCharacter* character);  // the game's answer
bool IsDeadFlagSet(APrimalCharacter* character);
bool IsSleeping(APrimalCharacter* character);
const FString& GetDescriptiveName(APrimalCharacter* character);
UPrimalCharacterStatusComponent* GetStatusComponent(APrimalCharacter* character);
int32 GetCharacterLevel(UPrimalCharacterStatusComponent* status);
FVector GetCapsuleTopLocation(APrimalCharacter* character);
bool IsDestroyingDino(APrimalDinoCharacter* dino);
FString GetDinoDescriptiveName(APrimalDinoCharacter* dino);
bool IsConnected(AShooterCharacter* character);
FVector GetPawnViewLocation(AShooterCharacter* character, bool allTransforms);

// Tribes and player ids.
const TArray<uint32>& GetTribeMemberIds(AShooterPlayerState* state);
uint64 GetSteamIdForPlayerId(AShooterGameMode* gameMode, int32 playerDataId);
void AddPlayerId(AShooterGameMode* gameMode, int32 playerDataId, uint64 playerId);

// The world.
const TArray<TWeakObjectPtr<APlayerController>>& GetPlayerControllerList(UWorld* world);
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
