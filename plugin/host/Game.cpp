#include <API/ARK/Ark.h>

#include "host/Game.h"

#include <cstring>

#include "host/GameName.h"

namespace host {
namespace {

FVector ToGame(const Vector& v) { return FVector(v.X, v.Y, v.Z); }
Vector FromGame(const FVector& v) { return {v.X, v.Y, v.Z}; }

FLinearColor ToGame(const LinearColour& colour) {
  return FLinearColor(colour.red, colour.green, colour.blue, colour.alpha);
}

// A game function that builds its answer in storage the caller passes, as the game's calling
// form does for records.
template <typename R, typename... Args>
R NativeCallForResult(void* self, const std::string& name, Args... args) {
  R result;
  NativeCall<R*, R*, Args...>(self, name, &result, args...);
  return result;
}

std::int32_t TargetingTeam(AActor* actor) {
  return GetNativeField<int32>(actor, "AActor.TargetingTeam"_name);
}

USceneComponent* RootComponent(AActor* actor) {
  return GetNativeField<USceneComponent*>(actor, "AActor.RootComponent"_name);
}

float DistanceTo(AActor* actor, AActor* other) {
  return NativeCall<float, AActor*>(actor, "AActor.GetDistanceTo"_name, other);
}

bool IsDeadCharacter(APrimalCharacter* character) {
  return NativeCall<bool>(character, "APrimalCharacter.IsDead"_name);
}

bool Flag(void* object, const std::string& name) {
  return GetNativeBitField<bool, uint32>(object, name);
}

}  // namespace

std::uint64_t GetPlayerId(AShooterPlayerController* controller) {
  if (controller == nullptr) return 0;
  return NativeCall<uint64>(controller, "AShooterPlayerController.GetUniqueNetIdAsUINT64"_name);
}

AShooterCharacter* GetPlayerCharacter(AShooterPlayerController* controller) {
  return NativeCall<AShooterCharacter*>(controller,
                                        "AShooterPlayerController.GetPlayerCharacter"_name);
}

bool IsRespawning(AShooterPlayerController* controller) {
  return Flag(controller, "AShooterPlayerController.bIsRespawning"_name);
}

std::uint64_t GetLinkedPlayerId(AShooterPlayerController* controller) {
  return GetNativeField<uint64>(controller, "AShooterPlayerController.LinkedPlayerID"_name);
}

void GetPlayerCharacterName(AShooterPlayerController* controller, GameText& name) {
  name.Get() = NativeCallForResult<FString>(controller,
                                            "AShooterPlayerController.GetPlayerCharacterName"_name);
}

AShooterPlayerState* GetPlayerState(AShooterPlayerController* controller) {
  return static_cast<AShooterPlayerState*>(
      GetNativeField<APlayerState*>(controller, "AController.PlayerState"_name));
}

std::int32_t GetTargetingTeam(AShooterPlayerController* controller) {
  return TargetingTeam(controller);
}

void ClientChatMessage(AShooterPlayerController* controller, TextView senderName,
                       TextView message) {
  FChatMessage chat;
  chat.SenderName = ToFString(senderName);
  chat.Message = ToFString(message);
  NativeCall<void, FChatMessage>(controller, "AShooterPlayerController.ClientChatMessage"_name,
                                 chat);
}

void ClientServerChatDirectMessage(AShooterPlayerController* controller, TextView text,
                                   const LinearColour& colour, bool bold) {
  NativeCall<void, const FString&, FLinearColor, bool>(
      controller, "AShooterPlayerController.ClientServerChatDirectMessage"_name, ToFString(text),
      ToGame(colour), bold);
}

void ClientServerNotificationSingle(AShooterPlayerController* controller, TextView text,
                                    const LinearColour& colour, float scale, float displayTime,
                                    UTexture2D* icon, USoundBase* sound, std::int32_t priority) {
  NativeCall<void, const FString&, FLinearColor, float, float, UTexture2D*, USoundBase*, int32>(
      controller, "AShooterPlayerController.ClientServerNotificationSingle"_name, ToFString(text),
      ToGame(colour), scale, displayTime, icon, sound, priority);
}

void ClientServerSOTFNotificationCustom(AShooterPlayerController* controller, TextView text,
                                        const LinearColour& colour, float scale, float displayTime,
                                        UTexture2D* icon, USoundBase* sound) {
  NativeCall<void, const FString&, FLinearColor, float, float, UTexture2D*, USoundBase*>(
      controller, "AShooterPlayerController.ClientServerSOTFNotificationCustom"_name,
      ToFString(text), ToGame(colour), scale, displayTime, icon, sound);
}

void ClientAddFloatingText(AShooterPlayerController* controller, const Vector& at,
                           const GameText& text, PackedColour colour, float scaleX, float scaleY,
                           float lifeSpan, const Vector& velocity, float minScale, float fadeIn,
                           float fadeOut) {
  NativeCall<void, FVector, const FString&, FColor, float, float, float, FVector, float, float,
             float>(controller, "AShooterPlayerController.ClientAddFloatingText"_name, ToGame(at),
                    text.Get(), FColor(colour.argb), scaleX, scaleY, lifeSpan, ToGame(velocity),
                    minScale, fadeIn, fadeOut);
}

void MulticastDrawDebugString(AShooterPlayerController* controller, const Vector& at,
                              const GameText& text, AActor* baseActor, const LinearColour& colour,
                              float duration, bool popBack) {
  NativeCall<void, const FVector&, const FString&, AActor*, FLinearColor, float, bool>(
      controller, "AActor.MulticastDrawDebugString"_name, ToGame(at), text.Get(), baseActor,
      ToGame(colour), duration, popBack);
}

UClass* GetDinoClass() {
  return NativeCall<UClass*>(nullptr, "APrimalDinoCharacter.GetPrivateStaticClass"_name);
}

APrimalDinoCharacter* AsCreature(AActor* actor, UClass* creatureClass) {
  if (actor == nullptr ||
      !NativeCall<bool, UClass*>(actor, "UObjectBaseUtility.IsA"_name, creatureClass)) {
    return nullptr;
  }
  return static_cast<APrimalDinoCharacter*>(actor);
}

USceneComponent* GetRootComponent(APrimalDinoCharacter* creature) {
  return RootComponent(creature);
}

USceneComponent* GetRootComponent(AShooterCharacter* character) { return RootComponent(character); }

Vector GetWorldLocation(USceneComponent* component) {
  const FTransform& toWorld =
      *GetNativePointerField<FTransform*>(component, "USceneComponent.ComponentToWorld"_name);
  // X, Y and Z lead the register; copied as bytes, so no compiler's own vector syntax is needed.
  static_assert(sizeof(Vector) == 3 * sizeof(float));
  Vector at;
  std::memcpy(&at, &toWorld.Translation, sizeof at);
  return at;
}

float GetDistanceTo(APrimalDinoCharacter* creature, AShooterCharacter* other) {
  return DistanceTo(creature, other);
}

float GetDistanceTo(AShooterCharacter* character, AShooterCharacter* other) {
  return DistanceTo(character, other);
}

std::int32_t GetTargetingTeam(APrimalDinoCharacter* creature) { return TargetingTeam(creature); }

bool IsDead(APrimalDinoCharacter* creature) { return IsDeadCharacter(creature); }

bool IsDeadFlagSet(APrimalDinoCharacter* creature) {
  return Flag(creature, "APrimalCharacter.bIsDead"_name);
}

bool IsSleeping(APrimalDinoCharacter* creature) {
  return Flag(creature, "APrimalCharacter.bIsSleeping"_name);
}

bool IsDestroyingDino(APrimalDinoCharacter* creature) {
  return Flag(creature, "APrimalDinoCharacter.bIsDestroyingDino"_name);
}

TextView GetDescriptiveName(APrimalDinoCharacter* creature) {
  const FString& name =
      *GetNativePointerField<FString*>(creature, "APrimalCharacter.DescriptiveName"_name);
  return ViewOf(name);
}

void GetDinoDescriptiveName(APrimalDinoCharacter* creature, GameText& name) {
  name.Get() =
      NativeCallForResult<FString>(creature, "APrimalDinoCharacter.GetDinoDescriptiveName"_name);
}

UPrimalCharacterStatusComponent* GetStatusComponent(APrimalDinoCharacter* creature) {
  return GetNativeField<UPrimalCharacterStatusComponent*>(
      creature, "APrimalCharacter.MyCharacterStatusComponent"_name);
}

std::int32_t GetCharacterLevel(UPrimalCharacterStatusComponent* status) {
  return NativeCall<int32>(status, "UPrimalCharacterStatusComponent.GetCharacterLevel"_name);
}

Vector GetCapsuleTopLocation(APrimalDinoCharacter* creature) {
  return FromGame(
      NativeCallForResult<FVector>(creature, "APrimalCharacter.GetCapsuleTopLocation"_name));
}

bool IsDead(AShooterCharacter* character) { return IsDeadCharacter(character); }

bool IsConnected(AShooterCharacter* character) {
  return Flag(character, "AShooterCharacter.bIsConnected"_name);
}

Vector GetPawnViewLocation(AShooterCharacter* character, bool allTransforms) {
  return FromGame(NativeCallForResult<FVector>(
      character, "AShooterCharacter.GetPawnViewLocation"_name, allTransforms));
}

void GetTribeMemberIds(AShooterPlayerState* state, std::vector<std::uint32_t>& ids) {
  auto* tribe =
      reinterpret_cast<FTribeData*>(GetAddress(state, "AShooterPlayerState.MyTribeData"_name));
  const auto& members =
      *GetNativePointerField<TArray<uint32>*>(tribe, "FTribeData.MembersPlayerDataID"_name);
  ids.assign(members.GetData(), members.GetData() + members.Num());
}

std::uint64_t GetSteamIdForPlayerId(AShooterGameMode* gameMode, std::int32_t playerDataId) {
  return NativeCall<uint64, int32>(gameMode, "AShooterGameMode.GetSteamIDForPlayerID"_name,
                                   playerDataId);
}

void AddPlayerId(AShooterGameMode* gameMode, std::int32_t playerDataId, std::uint64_t playerId) {
  NativeCall<void, int32, uint64>(gameMode, "AShooterGameMode.AddPlayerID"_name, playerDataId,
                                  playerId);
}

std::vector<AShooterPlayerController*> GetPlayerControllers(UWorld* world) {
  auto& list = *GetNativePointerField<TArray<TAutoWeakObjectPtr<APlayerController>>*>(
      world, "UWorld.PlayerControllerList"_name);
  std::vector<AShooterPlayerController*> controllers;
  for (auto& weak : list) {
    controllers.push_back(static_cast<AShooterPlayerController*>(weak.Get()));
  }
  return controllers;
}

APrimalWorldSettings* GetWorldSettings(UWorld* world) {
  return static_cast<APrimalWorldSettings*>(
      NativeCall<AWorldSettings*, bool, bool>(world, "UWorld.GetWorldSettings"_name, false, true));
}

MapScale GetMapScale(APrimalWorldSettings* settings) {
  return {GetNativeField<float>(settings, "APrimalWorldSettings.LatitudeScale"_name),
          GetNativeField<float>(settings, "APrimalWorldSettings.LatitudeOrigin"_name),
          GetNativeField<float>(settings, "APrimalWorldSettings.LongitudeScale"_name),
          GetNativeField<float>(settings, "APrimalWorldSettings.LongitudeOrigin"_name)};
}

namespace {

void CopyActors(const TArray<AActor*>& from, std::vector<AActor*>& to) {
  to.assign(from.GetData(), from.GetData() + from.Num());
}

}  // namespace

void ServerOctreeOverlapActors(std::vector<AActor*>& actors, UWorld* world, const Vector& centre,
                               float radius, std::int32_t octreeGroup, bool forceLocationCheck) {
  TArray<AActor*> found;
  NativeCall<TArray<AActor*>*, TArray<AActor*>*, UWorld*, FVector, float, int32, bool>(
      nullptr, "UVictoryCore.ServerOctreeOverlapActors"_name, &found, world, ToGame(centre), radius,
      octreeGroup, forceLocationCheck);
  CopyActors(found, actors);
}

void GetAllActorsOfClass(UWorld* world, UClass* actorClass, std::vector<AActor*>& actors) {
  TArray<AActor*> found;
  NativeCall<void, UObject*, UClass*, TArray<AActor*>*>(
      nullptr, "UGameplayStatics.GetAllActorsOfClass"_name, world, actorClass, &found);
  CopyActors(found, actors);
}

}  // namespace host
