#pragma once

// Integer and character types as the game names them, and the game's classes as the
// framework publishes them: opaque, reached only by name (see Resolver.h).

#include <cstdint>

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;

// The game's wide character, 16 bits: wchar_t where that is 16 bits wide (Windows, the game's own
// platform), char16_t elsewhere.
#ifdef _WIN32
using TCHAR = wchar_t;
#else
using TCHAR = char16_t;
#endif

// Handles to the game's objects. They carry the class hierarchy, so a creature converts to
// an actor as in the game, but no members: those are reached by name.
struct UObject {
  UObject() = delete;
};
struct UClass : UObject {};
struct UWorld : UObject {};
struct USceneComponent : UObject {};
struct UPrimalCharacterStatusComponent : UObject {};
struct UTexture2D : UObject {};
struct USoundBase : UObject {};
struct AActor : UObject {};
struct APrimalCharacter : AActor {};
struct APrimalDinoCharacter : APrimalCharacter {};
struct AShooterCharacter : APrimalCharacter {};
struct AController : AActor {};
struct APlayerController : AController {};
struct AShooterPlayerController : APlayerController {};
struct APlayerState : AActor {};
struct AShooterPlayerState : APlayerState {};
struct AShooterGameMode : AActor {};
struct AWorldSettings : AActor {};
struct APrimalWorldSettings : AWorldSettings {};

// Records the game lays out inside its objects, also reached by name.
struct FTribeData;
