#pragma once

// The game's classes as the plugin's own code passes them around: by pointer only. Their members
// are reached through host/Game.h, so nothing outside host/ needs their definitions.

struct AActor;
struct APrimalDinoCharacter;
struct AShooterCharacter;
struct AShooterGameMode;
struct AShooterPlayerController;
struct AShooterPlayerState;
struct APrimalWorldSettings;
struct RCONClientConnection;
struct UClass;
struct UPrimalCharacterStatusComponent;
struct USceneComponent;
struct USoundBase;
struct UTexture2D;
struct UWorld;
