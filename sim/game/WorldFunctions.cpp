// The game's functions that plugins call by name: the object comes first, as for a member
// function; static functions take none.

#include <cmath>

#include "Names.h"
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

FVector GetPawnViewLocation(const AShooterCharacter* self, bool /*allTransforms*/) {
  FVector eyes = self->Location();
  eyes.Z += AShooterCharacter::kEyeHeight;
  return eyes;
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
  using framework::RegisterFunction;
  RegisterFunction("FMemory.Malloc", &Malloc);
  RegisterFunction("FMemory.Realloc", &Realloc);
  RegisterFunction("FMemory.Free", &Free);
  RegisterFunction("UObjectBaseUtility.IsA", &IsA);
  RegisterFunction("APrimalDinoCharacter.GetPrivateStaticClass", &DinoStaticClass);
  RegisterFunction("UGameplayStatics.GetAllActorsOfClass", &GetAllActorsOfClass);
  RegisterFunction("UVictoryCore.ServerOctreeOverlapActors", &ServerOctreeOverlapActors);
  RegisterFunction("UWorld.GetWorldSettings", &GetWorldSettings);
  RegisterFunction("AActor.GetDistanceTo", &GetDistanceTo);
  RegisterFunction("APrimalCharacter.IsDead", &IsDead);
  RegisterFunction("APrimalCharacter.GetCapsuleTopLocation", &GetCapsuleTopLocation);
  RegisterFunction("APrimalDinoCharacter.GetDinoDescriptiveName", &GetDinoDescriptiveName);
  RegisterFunction("UPrimalCharacterStatusComponent.GetCharacterLevel", &GetCharacterLevel);
  RegisterFunction("AShooterCharacter.GetPawnViewLocation", &GetPawnViewLocation);
  RegisterFunction("AShooterPlayerController.GetPlayerCharacter", &GetPlayerCharacter);
  RegisterFunction("AShooterPlayerController.GetUniqueNetIdAsUINT64", &GetUniqueNetIdAsUINT64);
  RegisterFunction("AShooterPlayerController.GetPlayerCharacterName", &GetPlayerCharacterName);
  RegisterFunction("AShooterGameMode.GetSteamIDForPlayerID", &GetSteamIDForPlayerID);
  RegisterFunction("AShooterGameMode.AddPlayerID", &AddPlayerID);
  RegisterFunction("FWeakObjectPtr.Get", &WeakGet);
  RegisterFunction("FWeakObjectPtr.operator=", &WeakAssign);
}

}  // namespace game
