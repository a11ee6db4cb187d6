#pragma once

// The record the game sends to a player's chat.

#include "ArkApi/BasicTypes.h"
#include "ArkApi/FString.h"

struct FChatMessage {
  FString SenderName;
  FString SenderSteamName;
  FString SenderTribeName;
  uint32 SenderId = 0;
  FString Message;
  FString Receiver;
  int32 SenderTeamIndex = 0;
  double ReceivedTime = -1.0;
  uint8 SendMode = 0;
  uint32 RadioFrequency = 0;
  uint8 ChatType = 0;
  UTexture2D* SenderIcon = nullptr;
  FString UserId;
};
