#pragma once

// The chat record and the actor classes.

#include "API/ARK/Enums.h"
#include "API/ARK/Inventory.h"
#include "API/UE/Containers/EnumAsByte.h"
#include "API/UE/Containers/FString.h"
#include "API/UE/UE.h"

struct FChatMessage {
  FString SenderName;
  FString SenderSteamName;
  FString SenderTribeName;
  unsigned int SenderId;
  FString Message;
  FString Receiver;
  int SenderTeamIndex;
  long double ReceivedTime;
  TEnumAsByte<EChatSendMode::Type> SendMode;
  unsigned int RadioFrequency;
  TEnumAsByte<EChatType::Type> ChatType;
  UTexture2D* SenderIcon;
  FString UserId;

  FChatMessage()
      : SenderName(""),
        SenderSteamName(""),
        SenderTribeName(""),
        SenderId(0),
        Message(""),
        Receiver(""),
        SenderTeamIndex(0),
        ReceivedTime(-1),
        SendMode(EChatSendMode::GlobalChat),
        RadioFrequency(0),
        ChatType(EChatType::GlobalChat),
        SenderIcon(nullptr),
        UserId("") {}
  // The game's own copy; the implicit copy and move stay.
  FChatMessage(FChatMessage* Other) {
    NativeCall<void, FChatMessage*>(this, "FChatMessage.FChatMessage", Other);
  }
  FChatMessage* operator=(FChatMessage* Other) {
    return NativeCall<FChatMessage*, FChatMessage*>(this, "FChatMessage.operator=", Other);
  }
};

struct AActor : UObject {};
struct APawn : AActor {};
struct ACharacter : APawn {};
struct APrimalCharacter : ACharacter {};
struct APrimalDinoCharacter : APrimalCharacter {};
struct AShooterCharacter : APrimalCharacter {};
struct AController : AActor {};
struct APlayerController : AController {};
struct ABasePlayerController : APlayerController {};
struct AShooterPlayerController : ABasePlayerController {};
struct AInfo : AActor {};
struct APlayerState : AInfo {};
struct AShooterPlayerState : APlayerState {};
struct AWorldSettings : AInfo {};
struct APrimalWorldSettings : AWorldSettings {};
struct USceneComponent : UActorComponent {};
struct UPrimalCharacterStatusComponent : UActorComponent {};
