#pragma once

// The stand-in game's object model. Plugins never see these declarations: they reach the
// members through the names registered in Names.cpp, which carry these objects' real offsets.

#include <API/ARK/Ark.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace game {

// The game keeps its flags as bits of 32-bit words, which is how plugins read them by name.
inline bool BitOf(uint32 word, uint32 bit) { return (word >> bit) & 1u; }
inline void SetBitOf(uint32& word, uint32 bit, bool set) {
  word = set ? word | (1u << bit) : word & ~(1u << bit);
}

struct UClass {
  const char* Name;
  const UClass* Super;

  bool IsChildOf(const UClass* other) const {
    for (const UClass* c = this; c != nullptr; c = c->Super) {
      if (c == other) return true;
    }
    return false;
  }
};

struct UObject {
  virtual ~UObject() = default;
  bool IsA(const UClass* other) const { return ClassPrivate->IsChildOf(other); }

  const UClass* ClassPrivate = nullptr;
  int32 InternalIndex = -1;
};

// A placement at a point: no rotation (the identity quaternion) and unit scale. The fourth
// floats are the engine's: 1 for the quaternion's W, 0 beyond a vector's three.
inline FTransform TransformAt(const FVector& at) {
  return {_mm_setr_ps(0.f, 0.f, 0.f, 1.f), _mm_setr_ps(at.X, at.Y, at.Z, 0.f),
          _mm_setr_ps(1.f, 1.f, 1.f, 0.f)};
}

inline FVector TranslationOf(const FTransform& transform) {
  alignas(16) float xyzw[4];
  _mm_store_ps(xyzw, transform.Translation);
  return {xyzw[0], xyzw[1], xyzw[2]};
}

struct AActor;

// Only the game moves components (Game::Place, Attach, Detach), so that a component's world
// placement, its children's and the spatial indices stay in step.
struct USceneComponent : UObject {
  static const UClass* StaticClass();
  FVector WorldLocation() const { return TranslationOf(ComponentToWorld); }

  // The offset from AttachParent; the world location while attached to nothing.
  FVector RelativeLocation;
  USceneComponent* AttachParent = nullptr;
  // The parent's world placement plus RelativeLocation: what the engine keeps up to date at each
  // move, and what anyone reading a position in world terms reads.
  FTransform ComponentToWorld = TransformAt({});
  std::vector<USceneComponent*> AttachChildren;
  // The actor whose root this is.
  AActor* Owner = nullptr;
};

struct UPrimalCharacterStatusComponent : UObject {
  static const UClass* StaticClass();
  int32 Level = 1;
  float Health = 100.f;
};

struct AActor : UObject {
  static const UClass* StaticClass();
  // In the world, wherever the actor is attached.
  FVector Location() const { return RootComponent ? RootComponent->WorldLocation() : FVector{}; }

  USceneComponent* RootComponent = nullptr;
  int32 TargetingTeam = 0;
  // The scenario's name for the actor; events name players by it.
  std::string Handle;
  // Spawn order, which world queries keep.
  uint64 SpawnSequence = 0;
};

struct APrimalCharacter : AActor {
  static const UClass* StaticClass();
  static constexpr uint32 kIsDeadBit = 2;
  static constexpr uint32 kIsSleepingBit = 5;

  bool Flag(uint32 bit) const { return BitOf(CharacterFlags, bit); }
  void SetFlag(uint32 bit, bool set) { SetBitOf(CharacterFlags, bit, set); }
  // The game's answer: the flag, or no health left.
  bool IsDead() const {
    return Flag(kIsDeadBit) ||
           (MyCharacterStatusComponent && MyCharacterStatusComponent->Health <= 0.f);
  }

  FString DescriptiveName;
  UPrimalCharacterStatusComponent* MyCharacterStatusComponent = nullptr;
  uint32 CharacterFlags = 0;
  float CapsuleHalfHeight = 100.f;
};

struct APrimalDinoCharacter : APrimalCharacter {
  static const UClass* StaticClass();
  static constexpr uint32 kIsDestroyingDinoBit = 3;

  bool IsDestroying() const { return BitOf(DinoFlags, kIsDestroyingDinoBit); }
  void SetDestroying(bool set) { SetBitOf(DinoFlags, kIsDestroyingDinoBit, set); }

  uint32 DinoFlags = 0;
};

struct AShooterCharacter : APrimalCharacter {
  static const UClass* StaticClass();
  static constexpr uint32 kIsConnectedBit = 1;
  static constexpr float kEyeHeight = 64.f;

  bool IsConnected() const { return BitOf(ShooterFlags, kIsConnectedBit); }
  void SetConnected(bool set) { SetBitOf(ShooterFlags, kIsConnectedBit, set); }

  uint32 ShooterFlags = 0;
};

struct FTribeData {
  FString TribeName;
  int32 TribeID = 0;
  TArray<uint32> MembersPlayerDataID;
};

struct APlayerState : AActor {
  static const UClass* StaticClass();
};

struct AShooterPlayerState : APlayerState {
  static const UClass* StaticClass();
  FTribeData MyTribeData;
};

struct AController : AActor {
  static const UClass* StaticClass();
  APlayerState* PlayerState = nullptr;
};

struct APlayerController : AController {
  static const UClass* StaticClass();
};

struct AShooterPlayerController : APlayerController {
  static const UClass* StaticClass();
  static constexpr uint32 kIsRespawningBit = 4;

  bool IsRespawning() const { return BitOf(ControllerFlags, kIsRespawningBit); }
  void SetRespawning(bool set) { SetBitOf(ControllerFlags, kIsRespawningBit, set); }

  uint64 LinkedPlayerID = 0;
  uint64 UniqueNetId = 0;
  uint32 ControllerFlags = 0;
  // The possessed character; none while the player has no body.
  AShooterCharacter* Character = nullptr;
};

struct AWorldSettings : AActor {
  static const UClass* StaticClass();
};

struct APrimalWorldSettings : AWorldSettings {
  static const UClass* StaticClass();
  float LatitudeOrigin = 0.f;
  float LatitudeScale = 0.f;
  float LongitudeOrigin = 0.f;
  float LongitudeScale = 0.f;
};

struct AShooterGameMode : AActor {
  static const UClass* StaticClass();
  // Player data id to 64-bit player id.
  std::unordered_map<int32, uint64> PlayerIds;
};

struct UWorld : UObject {
  static const UClass* StaticClass();
  TArray<TWeakObjectPtr<APlayerController>> PlayerControllerList;
  APrimalWorldSettings* WorldSettings = nullptr;
};

}  // namespace game
