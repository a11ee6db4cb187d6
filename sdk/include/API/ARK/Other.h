#pragma once

// Holders of static game functions, reached by name ("UVictoryCore.ServerOctreeOverlapActors"),
// and the RCON connection and packet an RCON command receives.

#include "../Fields.h"
#include "../UE/Containers/FString.h"

struct UGameplayStatics {};
struct UVictoryCore {};

struct RCONPacket {
  int Length;
  int Id;
  int Type;
  FString Body;
};

struct RCONClientConnection {
  // A reply to the packet of that id; a response is type 0.
  void SendMessageW(int Id, int Type, FString* OutGoingMessage) {
    NativeCall<void, int, int, FString*>(this, "RCONClientConnection.SendMessageW", Id, Type,
                                         OutGoingMessage);
  }
};
