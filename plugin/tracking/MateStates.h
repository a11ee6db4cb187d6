#pragma once

// What a refresh of the tribe-mate labels reads of each mate, once per refresh however many
// trackers see him: nothing a refresh does changes a player, and every read is a lookup by name.

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "host/Game.h"

namespace packsentinel {

struct MateState {
  std::uint64_t playerId = 0;
  // Not read yet: read only when some tracker may see him. Read as none when no label goes over
  // him: nobody online has his id, or he has no character, is respawning, dead or disconnected.
  std::optional<AShooterCharacter*> character;
  AShooterPlayerController* controller = nullptr;
  // Where his label goes and what it calls him, read with his first label.
  std::optional<host::Vector> labelAt;
  host::GameText name;
};

class MateStates {
 public:
  // His player id: as the game mode knows it, or looked up among the online controllers and
  // recorded with the game mode (0 when nobody online has it). Recording it again within the
  // refresh would write what the game mode already holds, so that is done once too.
  MateState& Of(AShooterGameMode* gameMode, std::uint32_t memberId);
  // His character when a label may go over him, otherwise none.
  AShooterCharacter* PresentCharacter(MateState& mate);
  // Reads where his label goes and his name, once.
  void ReadLabelParts(MateState& mate);

 private:
  // The online controller of a player id: the last the world lists with it, a reconnected
  // player's new controller coming after his stale one. The framework's own lookup is no help:
  // older frameworks lack it (the call would go past their interface's end), and today's loses a
  // player whose stale controller logs out after he reconnected.
  AShooterPlayerController* FindControllerBySteamId(std::uint64_t playerId);

  std::unordered_map<std::uint32_t, MateState> mates_;  // by tribe member id
  // Player id to controller, read from the world once, by the first mate looked up.
  std::optional<std::unordered_map<std::uint64_t, AShooterPlayerController*>> controllers_;
};

}  // namespace packsentinel
