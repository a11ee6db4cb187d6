// The game's functions that plugins call by name: the object comes first, as for a member
// function; static functions take none.

#include <cmath>

#include "GameStorage.h"
#include "Names.h"
#include "PublishFunction.h"
#include "framework/Names.h"
#include "game/Allocator.h"
#include "game/Game.h"

namespace game {
namespace {

bool IsA(const UObject* self, const UClass* other) { return self->IsA(other); }

const UClass* DinoStaticClass() { return APrimalDinoCharacter::StaticClass(); }

void GetAllActorsOfClass(UObject* /*worldContext*/, const UClass* actorClass,
                         TArray<AActor*>* out) {
  Game::Current().AllActorsOfClass(actorClass, *out);
}

TArray<AActor*>* ServerOctreeOverlapActors(TArray<AActor*>* result, UWorld* /*world*/, FVector at,
                                           float radius, int32 octreeGroup,
                                           bool /*forceActorLocationDistanceCheck*/) {
  Game::Current().OverlapActors(at, radius, octreeGroup, *result);
  return result;
}

AWorldSettings* GetWorldSettings(UWorld* self, bool /*checkStreamingPersistent*/,
                                 bool /*checked*/) {
  return self->WorldSettings;
}

float GetDistanceTo(const AActor* self, const AActor* other) {
  if (other == nullptr) return 0.f;
  const FVector a = self->Location();
  const FVector b = other->Location();
  const float dx = a.X - b.X;
  const float dy = a.Y - b.Y;
  const float dz = a.Z - b.Z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool IsDead(const APrimalCharacter* self) { return self->IsDead(); }

FVector GetCapsuleTopLocation(const APrimalCharacter* self) {
  FVector top = self->Location();
  top.Z += self->CapsuleHalfHeight;
  return top;
}

FString GetDinoDescriptiveName(const APrimalDinoCharacter* self) {
  return CopyText(self->DescriptiveName);
}

int32 GetCharacterLevel(const UPrimalCharacterStatusComponent* self) { return self->Level; }

// Without all transforms the view point is the eyes, at the base eye height; with them it is
// the camera's, which the character's view offset lifts above his eyes.
FVector GetPawnViewLocation(const AShooterCharacter* self, bool allTransforms) {
  constexpr float kCameraAboveEyes = 30.f;
  FVector view = self->Location();
  view.Z += AShooterCharacter::kEyeHeight + (allTransforms ? kCameraAboveEyes : 0.f);
  return view;
}

AShooterCharacter* GetPlayerCharacter(const AShooterPlayerController* self) {
  return self->Character;
}

uint64 GetUniqueNetIdAsUINT64(const AShooterPlayerController* self) { return self->UniqueNetId; }

FString GetPlayerCharacterName(const AShooterPlayerController* self) {
  return self->Character ? CopyText(self->Character->DescriptiveName) : FString();
}

uint64 GetSteamIDForPlayerID(const AShooterGameMode* self, int32 playerDataId) {
  const auto it = self->PlayerIds.find(playerDataId);
  return it == self->PlayerIds.end() ? 0 : it->second;
}

void AddPlayerID(AShooterGameMode* self, int32 playerDataId, uint64 steamId) {
  self->PlayerIds[playerDataId] = steamId;
}

UObject* WeakGet(const FWeakObjectPtr* self, bool /*evenIfPendingKill*/) {
  return Game::Current().Objects().Resolve(*self);
}

void WeakAssign(FWeakObjectPtr* self, const UObject* object) {
  Game::Current().Objects().MakeWeak(*self, object);
}

}  // namespace

void RegisterWorldFunctions() {
  PublishStaticFunction<void*(unsigned long long, unsigned int), &Malloc>("FMemory.Malloc");
  PublishStaticFunction<void*(void*, unsigned long long), &Realloc>("FMemory.Realloc");
  PublishStaticFunction<void(void*), &Free>("FMemory.Free");
  PublishFunction<bool(DWORD64, ::UClass*), &IsA>("UObjectBaseUtility.IsA");
  PublishStaticFunction<::UClass*(), &DinoStaticClass>(
      "APrimalDinoCharacter.GetPrivateStaticClass");
  PublishStaticFunction<void(::UObject*, ::UClass*, TArray<::AActor*>*), &GetAllActorsOfClass>(
      "UGameplayStatics.GetAllActorsOfClass");
  PublishStaticFunction<TArray<::AActor*>*(TArray<::AActor*>*, ::UWorld*, FVector, float, int32,
                                           bool),
                        &ServerOctreeOverlapActors>("UVictoryCore.ServerOctreeOverlapActors");
  PublishFunction<::AWorldSettings*(DWORD64, bool, bool), &GetWorldSettings>(
      "UWorld.GetWorldSettings");
  PublishFunction<float(DWORD64, ::AActor*), &GetDistanceTo>("AActor.GetDistanceTo");
  PublishFunction<bool(DWORD64), &IsDead>("APrimalCharacter.IsDead");
  PublishResultFunction<FVector*(DWORD64, FVector*), &GetCapsuleTopLocation>(
      "APrimalCharacter.GetCapsuleTopLocation");
  PublishResultFunction<FString*(DWORD64, FString*), &GetDinoDescriptiveName>(
      "APrimalDinoCharacter.GetDinoDescriptiveName");
  PublishFunction<int32(DWORD64), &GetCharacterLevel>(
      "UPrimalCharacterStatusComponent.GetCharacterLevel");
  PublishResultFunction<FVector*(DWORD64, FVector*, bool), &GetPawnViewLocation>(
      "AShooterCharacter.GetPawnViewLocation");
  PublishFunction<::AShooterCharacter*(DWORD64), &GetPlayerCharacter>(
      "AShooterPlayerController.GetPlayerCharacter");
  PublishFunction<uint64(DWORD64), &GetUniqueNetIdAsUINT64>(
      "AShooterPlayerController.GetUniqueNetIdAsUINT64");
  PublishResultFunction<FString*(DWORD64, FString*), &GetPlayerCharacterName>(
      "AShooterPlayerController.GetPlayerCharacterName");
  PublishFunction<uint64(DWORD64, int32), &GetSteamIDForPlayerID>(
      "AShooterGameMode.GetSteamIDForPlayerID");
  PublishFunction<void(DWORD64, int32, uint64), &AddPlayerID>("AShooterGameMode.AddPlayerID");
  PublishFunction<::UObject*(DWORD64, bool), &WeakGet>("FWeakObjectPtr.Get");
  PublishFunction<void(DWORD64, const ::UObject*), &WeakAssign>("FWeakObjectPtr.operator=");
}

}  // namespace game
