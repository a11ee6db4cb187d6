#pragma once

// What devserver answers a person who asks about the state of the world: `who`, `labels NAME`
// and, in text output, one line a player for each label refresh.

#include <string>
#include <vector>

#include "devserver/WorldView.h"
#include "game/Game.h"

namespace devserver {

// The players (position, tribe, team, groups, connection and character) and the creatures
// counted by team, dead and asleep among them.
std::string WhoText(const game::Game& game);

// When the labels were sent and how long ago; then the labels in the order sent, each with its
// colour, how it was sent and what it floats over, then its text a line at a time.
std::string LabelsText(const game::Game& game, const game::Player& receiver,
                       const SentLabels& sent);

// Labels counted by what they float over (relative to their receiver, TargetKind) and by
// colour, in the order first sent; adds to counts.
struct LabelKindCount {
  std::string kind;
  FColor colour;
  int count = 0;
};
void CountLabelKinds(const ActorsByPlace& actors, const game::Player& receiver,
                     const std::vector<Label>& labels, std::vector<LabelKindCount>& counts);

// How many labels of each kind (what they float over) and colour: "5 labels: 2 wild #FFFF00,
// 3 tribe #00FF00".
std::string RefreshSummary(const ActorsByPlace& actors, const game::Player& receiver,
                           const SentLabels& sent);

}  // namespace devserver
