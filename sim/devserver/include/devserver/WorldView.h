#pragma once

// The world as one player sees it: what each actor is to him, and what a label he was sent
// floats over. For the reports and the map a person reads; never on the plugin's paths.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/Game.h"

namespace devserver {

// A creature of a team up to this is wild, as the game has it.
constexpr int32 kWildTeamBound = 10000;

enum class Relation {
  Viewer,         // the player himself
  Mate,           // a player of his team
  Player,         // any other player (every player when nobody looks)
  OwnCreature,    // a creature of his team
  TamedCreature,  // a creature of another tribe (every tamed one when nobody looks)
  WildCreature,
};

// viewer: none when nobody in particular looks.
Relation RelationOf(const game::Player& player, const game::Player* viewer);
Relation RelationOf(const game::APrimalDinoCharacter& dino, const game::Player* viewer);

// A label as its player was sent it.
struct Label {
  std::u16string text;
  FVector at;
  game::LabelColour colour;

  // The text in UTF-8; unpaired surrogates become U+FFFD.
  std::string Utf8Text() const;
};

// The labels of one refresh.
struct SentLabels {
  std::uint64_t tick = 0;
  std::vector<Label> labels;
};

// What a label floats over: a player or a creature, or nothing.
struct LabelTarget {
  const game::Player* player = nullptr;
  const game::APrimalDinoCharacter* dino = nullptr;
};

// Labels are drawn above an actor, so an actor stands at the label's x and y; of those there,
// the one nearest below it.
class ActorsByPlace {
 public:
  explicit ActorsByPlace(const game::Game& game);
  LabelTarget Under(const FVector& at) const;

 private:
  struct Standing {
    float z;
    LabelTarget target;
  };
  std::map<std::pair<float, float>, std::vector<Standing>> byPlace_;
};

// The word a report uses for what a label floats over, relative to its receiver.
std::string TargetKind(const LabelTarget& target, const game::Player& receiver);

}  // namespace devserver
