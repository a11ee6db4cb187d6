#pragma once

// The framework's export macro, its resolver of the game's names, and the game's types as
// forward declarations.

#ifdef _WIN32
#include <windows.h>
#else
// The Windows names the framework's declarations are written with.
typedef unsigned long long DWORD64;
typedef unsigned long long ULONGLONG;
typedef unsigned int DWORD;  // 32 bits, as on Windows
typedef void* LPVOID;
#define APIENTRY
#define __fastcall
#define FORCEINLINE inline __attribute__((always_inline))
#endif

#include <string>

#ifdef _WIN32
#ifdef ARK_EXPORTS
#define ARK_API __declspec(dllexport)
#else
#define ARK_API __declspec(dllimport)
#endif
#else
#define ARK_API __attribute__((visibility("default")))
#endif

// A flag of a game object: bits of the word at an absolute address.
struct BitField {
  DWORD64 offset;
  DWORD bit_position;
  ULONGLONG num_bits;
  ULONGLONG length;
};

// Names are "Class.Member". A name the game does not have is never refused: it is answered
// with offset 0, as the real resolver answers it. The address of a field of base: base + offset.
ARK_API DWORD64 GetAddress(const void* base, const std::string& name);
// A function's address: for an unknown name, the start of the game's code.
ARK_API LPVOID GetAddress(const std::string& name);
// A global's address: for an unknown name, the start of the game's image.
ARK_API LPVOID GetDataAddress(const std::string& name);
// A flag's word (base + offset) and bits: for an unknown name, base and no bits.
ARK_API BitField GetBitField(const void* base, const std::string& name);
ARK_API BitField GetBitField(LPVOID base, const std::string& name);

struct UObjectBase;
struct UObjectBaseUtility;
struct UObject;
struct UField;
struct UStruct;
struct UClass;
struct UTexture;
struct UTexture2D;
struct USoundBase;
struct UWorld;
struct UActorComponent;
struct USceneComponent;
struct UPrimalCharacterStatusComponent;
struct UShooterCheatManager;
struct UGameplayStatics;
struct UVictoryCore;
struct AActor;
struct APawn;
struct ACharacter;
struct APrimalCharacter;
struct APrimalDinoCharacter;
struct AShooterCharacter;
struct AController;
struct APlayerController;
struct ABasePlayerController;
struct AShooterPlayerController;
struct AInfo;
struct APlayerState;
struct AShooterPlayerState;
struct AWorldSettings;
struct APrimalWorldSettings;
struct AGameMode;
struct AShooterGameMode;
struct FChatMessage;
struct FTribeData;
struct RCONClientConnection;
struct RCONPacket;
