#pragma once

// The game's enumerations the framework's declarations name.

namespace EChatSendMode {
enum Type { GlobalChat = 0, GlobalTribeChat = 1, LocalChat = 2, AllianceChat = 3, MAX = 4 };
}

namespace EChatType {
enum Type {
  GlobalChat = 0,
  ProximityChat = 1,
  RadioChat = 2,
  GlobalTribeChat = 3,
  AllianceChat = 4,
  MAX = 5
};
}

// What an overlap query searches: the stand-in's game answers these three.
namespace EServerOctreeGroup {
enum Type { PLAYERPAWNS = 1, DINOPAWNS = 2, PAWNS = 3 };
}
