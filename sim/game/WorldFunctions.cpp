// The game's functions that plugins call by name: the object comes first, as for a member
// function; static functions take none.

#include <cmath>

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

FString GetDinoDescriptiveName(const APrimalDinoCharacter* self) { return self->DescriptiveName; }

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
  return self->Character ? self->Character->DescriptiveName : FString();
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
  PublishFunction<void*(std::size_t, std::uint32_t), &Malloc>("FMemory.Malloc");
  PublishFunction<void*(void*, std::size_t, std::uint32_t), &Realloc>("FMemory.Realloc");
  PublishFunction<void(void*), &Free>("FMemory.Free");
  PublishFunction<bool(const void*, ::UClass*), &IsA>("UObjectBaseUtility.IsA");
  PublishFunction<::UClass*(), &DinoStaticClass>("APrimalDinoCharacter.GetPrivateStaticClass");
  PublishFunction<void(::UObject*, ::UClass*, TArray<::AActor*>*), &GetAllActorsOfClass>(
      "UGameplayStatics.GetAllActorsOfClass");
  PublishFunction<TArray<::AActor*>*(TArray<::AActor*>*, ::UWorld*, FVector, float, int32, bool),
                  &ServerOctreeOverlapActors>("UVictoryCore.ServerOctreeOverlapActors");
  PublishFunction<::AWorldSettings*(const void*, bool, bool), &GetWorldSettings>(
      "UWorld.GetWorldSettings");
  PublishFunction<float(const void*, ::AActor*), &GetDistanceTo>("AActor.GetDistanceTo");
  PublishFunction<bool(const void*), &IsDead>("APrimalCharacter.IsDead");
  PublishResultFunction<FVector*(const void*, FVector*), &GetCapsuleTopLocation>(
      "APrimalCharacter.GetCapsuleTopLocation");
  PublishResultFunction<FString*(const void*, FString*), &GetDinoDescriptiveName>(
      "APrimalDinoCharacter.GetDinoDescriptiveName");
  PublishFunction<int32(const void*), &GetCharacterLevel>(
      "UPrimalCharacterStatusComponent.GetCharacterLevel");
  PublishResultFunction<FVector*(const void*, FVector*, bool), &GetPawnViewLocation>(
      "AShooterCharacter.GetPawnViewLocation");
  PublishFunction<::AShooterCharacter*(const void*), &GetPlayerCharacter>(
      "AShooterPlayerController.GetPlayerCharacter");
  PublishFunction<uint64(const void*), &GetUniqueNetIdAsUINT64>(
      "AShooterPlayerController.GetUniqueNetIdAsUINT64");
  PublishResultFunction<FString*(const void*, FString*), &GetPlayerCharacterName>(
      "AShooterPlayerController.GetPlayerCharacterName");
  PublishFunction<uint64(const void*, int32), &GetSteamIDForPlayerID>(
      "AShooterGameMode.GetSteamIDForPlayerID");
  PublishFunction<void(const void*, int32, uint64), &AddPlayerID>("AShooterGameMode.AddPlayerID");
  PublishFunction<::UObject*(const void*, bool), &WeakGet>("FWeakObjectPtr.Get");
  PublishFunction<void(const void*, const ::UObject*), &WeakAssign>("FWeakObjectPtr.operator=");
}

}  // namespace game
