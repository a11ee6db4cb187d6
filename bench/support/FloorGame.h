#pragma once

// The floors' way into the game: every function, field and flag they use, resolved by name once
// when a floor is set up and reached afterwards through plain pointers and offsets. Each
// function has the signature the plugin calls it with.

#include <API/ARK/Ark.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <utility>

namespace bench_support {

// Creatures of team 10000 or below belong to nobody.
inline constexpr int32 kWildTeamBound = 10000;

// Each throws std::runtime_error for a name the game does not publish.
void* ResolveFunction(const std::string& name);
std::ptrdiff_t ResolveFieldOffset(const std::string& name);

// A member function: the object goes first, as an integer, as NativeCall passes it.
template <typename R, typename... Args>
class Method {
 public:
  explicit Method(const std::string& name)
      : call_(reinterpret_cast<R (*)(DWORD64, Args...)>(ResolveFunction(name))) {}
  R operator()(const void* self, Args... args) const {
    return call_(reinterpret_cast<DWORD64>(self), args...);
  }

 private:
  R (*call_)(DWORD64, Args...);
};

// A member function that gives back a record through a result pointer after the object.
template <typename R, typename... Args>
class ResultMethod {
 public:
  explicit ResultMethod(const std::string& name)
      : call_(reinterpret_cast<R* (*)(DWORD64, R*, Args...)>(ResolveFunction(name))) {}
  R operator()(const void* self, Args... args) const {
    R result;
    call_(reinterpret_cast<DWORD64>(self), &result, args...);
    return result;
  }

 private:
  R* (*call_)(DWORD64, R*, Args...);
};

template <typename R, typename... Args>
class StaticFunction {
 public:
  explicit StaticFunction(const std::string& name)
      : call_(reinterpret_cast<R (*)(Args...)>(ResolveFunction(name))) {}
  R operator()(Args... args) const { return call_(args...); }

 private:
  R (*call_)(Args...);
};

template <typename T>
class Field {
 public:
  explicit Field(const std::string& name) : offset_(ResolveFieldOffset(name)) {}
  T& Of(const void* object) const {
    return *reinterpret_cast<T*>(const_cast<char*>(static_cast<const char*>(object)) + offset_);
  }

 private:
  std::ptrdiff_t offset_;
};

// A component's world location, read as the plugin reads it: the first three floats of its world
// transform's translation.
class WorldLocation {
 public:
  FVector Of(const void* component) const {
    float xyz[3];
    std::memcpy(xyz, &toWorld_.Of(component).Translation, sizeof xyz);
    return {xyz[0], xyz[1], xyz[2]};
  }

 private:
  Field<FTransform> toWorld_{"USceneComponent.ComponentToWorld"};
};

// One flag bit of a 32-bit word inside an object.
class Flag {
 public:
  explicit Flag(const std::string& name);
  bool Of(const void* object) const {
    const auto word =
        *reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(object) + wordOffset_);
    return ((word >> position_) & mask_) != 0;
  }

 private:
  std::ptrdiff_t wordOffset_;
  std::uint32_t position_;
  std::uint32_t mask_;
};

// A text a game function gave back, whose storage goes back through the allocator's pointer
// resolved once: FString's own destructor would resolve FMemory.Free by name.
class ReturnedText {
 public:
  ReturnedText(FString&& text, const StaticFunction<void, void*>& free) : free_(free) {
    new (&text_) FString(std::move(text));
  }
  ReturnedText(const ReturnedText&) = delete;
  ReturnedText& operator=(const ReturnedText&) = delete;
  ~ReturnedText() { free_(text_.GetCharArray().GetData()); }

  const FString& Get() const { return text_; }

 private:
  union {
    FString text_;  // never destroyed: its storage is freed above
  };
  const StaticFunction<void, void*>& free_;
};

// The actors a query gave, walked in place: the floors keep the game's array where the plugin
// copies it out.
inline std::span<AActor* const> ActorsOf(const TArray<AActor*>& actors) {
  return {actors.GetData(), static_cast<std::size_t>(actors.Num())};
}

struct FloorGame {
  // Weak: FWeakObjectPtr or a TWeakObjectPtr, the same two fields.
  template <typename T, typename Weak>
  T* Get(const Weak& weak) const {
    return reinterpret_cast<T*>(weakGet(&weak, false));
  }
  FWeakObjectPtr Weak(const void* object) const {
    FWeakObjectPtr weak;
    weakAssign(&weak, static_cast<const UObject*>(object));
    return weak;
  }

  Method<UObject*, bool> weakGet{"FWeakObjectPtr.Get"};
  Method<void, const UObject*> weakAssign{"FWeakObjectPtr.operator="};

  // Player controllers.
  Method<uint64> playerId{"AShooterPlayerController.GetUniqueNetIdAsUINT64"};
  Method<AShooterCharacter*> playerCharacter{"AShooterPlayerController.GetPlayerCharacter"};
  ResultMethod<FString> playerCharacterName{"AShooterPlayerController.GetPlayerCharacterName"};
  Flag isRespawning{"AShooterPlayerController.bIsRespawning"};
  Field<uint64> linkedPlayerId{"AShooterPlayerController.LinkedPlayerID"};
  Field<AShooterPlayerState*> playerState{"AController.PlayerState"};

  // What players are sent.
  Method<void, FChatMessage> chatMessage{"AShooterPlayerController.ClientChatMessage"};
  Method<void, const FString&, FLinearColor, float, float, UTexture2D*, USoundBase*, int32>
      notification{"AShooterPlayerController.ClientServerNotificationSingle"};
  Method<void, const FString&, FLinearColor, float, float, UTexture2D*, USoundBase*>
      sotfNotification{"AShooterPlayerController.ClientServerSOTFNotificationCustom"};
  Method<void, FVector, const FString&, FColor, float, float, float, FVector, float, float, float>
      floatingText{"AShooterPlayerController.ClientAddFloatingText"};
  Method<void, const FVector&, const FString&, AActor*, FLinearColor, float, bool> debugString{
      "AActor.MulticastDrawDebugString"};

  // Actors.
  Field<int32> targetingTeam{"AActor.TargetingTeam"};
  Field<USceneComponent*> rootComponent{"AActor.RootComponent"};
  WorldLocation worldLocation;
  Method<float, AActor*> distanceTo{"AActor.GetDistanceTo"};
  Method<bool, UClass*> isA{"UObjectBaseUtility.IsA"};
  StaticFunction<UClass*> dinoClass{"APrimalDinoCharacter.GetPrivateStaticClass"};
  StaticFunction<void, void*> free{"FMemory.Free"};

  // Characters and creatures.
  Method<bool> isDead{"APrimalCharacter.IsDead"};
  Flag deadFlag{"APrimalCharacter.bIsDead"};
  Flag sleeping{"APrimalCharacter.bIsSleeping"};
  Field<FString> descriptiveName{"APrimalCharacter.DescriptiveName"};
  Field<UPrimalCharacterStatusComponent*> statusComponent{
      "APrimalCharacter.MyCharacterStatusComponent"};
  Method<int32> characterLevel{"UPrimalCharacterStatusComponent.GetCharacterLevel"};
  ResultMethod<FVector> capsuleTop{"APrimalCharacter.GetCapsuleTopLocation"};
  Flag destroyingDino{"APrimalDinoCharacter.bIsDestroyingDino"};
  ResultMethod<FString> dinoDescriptiveName{"APrimalDinoCharacter.GetDinoDescriptiveName"};
  Flag connected{"AShooterCharacter.bIsConnected"};
  ResultMethod<FVector, bool> pawnViewLocation{"AShooterCharacter.GetPawnViewLocation"};

  // Tribes and player ids.
  Field<FTribeData> tribeData{"AShooterPlayerState.MyTribeData"};
  Field<TArray<uint32>> tribeMemberIds{"FTribeData.MembersPlayerDataID"};
  Method<uint64, int32> steamIdForPlayerId{"AShooterGameMode.GetSteamIDForPlayerID"};
  Method<void, int32, uint64> addPlayerId{"AShooterGameMode.AddPlayerID"};

  // The world.
  Field<TArray<TWeakObjectPtr<APlayerController>>> playerControllers{"UWorld.PlayerControllerList"};
  Method<AWorldSettings*, bool, bool> worldSettings{"UWorld.GetWorldSettings"};
  Field<float> latitudeScale{"APrimalWorldSettings.LatitudeScale"};
  Field<float> latitudeOrigin{"APrimalWorldSettings.LatitudeOrigin"};
  Field<float> longitudeScale{"APrimalWorldSettings.LongitudeScale"};
  Field<float> longitudeOrigin{"APrimalWorldSettings.LongitudeOrigin"};
  StaticFunction<TArray<AActor*>*, TArray<AActor*>*, UWorld*, FVector, float, int32, bool>
      overlapActors{"UVictoryCore.ServerOctreeOverlapActors"};
  StaticFunction<void, UObject*, UClass*, TArray<AActor*>*> allActorsOfClass{
      "UGameplayStatics.GetAllActorsOfClass"};
};

}  // namespace bench_support
