#pragma once

// What a player asks for when he names creatures: a name text and perhaps a level, read from
// the words after the command; and the tests for wild creatures that match it.

#include <string>

#include "commands/Words.h"
#include "host/Game.h"
#include "tracking/CreatureSelection.h"

namespace packsentinel {

struct CreatureRequest {
  host::String name;      // the words joined with single spaces, without the level
  NameSearch nameSearch;  // the name, prepared for the name test
  LevelWord level;        // the last word, when it is all digits

  bool NameMatches(host::TextView dinoName) const;
  // True when no level was asked for.
  bool LevelMatches(std::int32_t dinoLevel) const;
  // The same for the creature's level; a creature without status component has none.
  bool LevelMatches(APrimalDinoCharacter* dino) const;
};

// From the words of a chat line, command word first, at least one argument.
CreatureRequest ReadCreatureRequest(const Words& words);

}  // namespace packsentinel
