#pragma once

// The tribes a map shows, each in its colour of the scheme: the viewer's green, then those with
// players shown, then those with only creatures shown, each lot by team; and what the legend
// says of each.

#include <string>
#include <string_view>
#include <vector>

#include "devserver/MapColours.h"
#include "devserver/SnapshotFrame.h"
#include "devserver/SnapshotStyle.h"
#include "game/Game.h"

namespace devserver {

class TribeKey {
 public:
  // viewer: none when nobody in particular looks.
  TribeKey(const game::Game& game, const Frame& frame, const game::Player* viewer);

  std::string_view PlayerFill(const game::Player& player) const;
  // Wild creatures are yellow whoever looks.
  std::string_view CreatureFill(const game::APrimalDinoCharacter& dino) const;

  // An entry for each tribe, the ones past the scheme's colours together.
  void Explain(LegendWriter& legend) const;

 private:
  struct Tribe {
    int32 team;
    std::vector<const game::Player*> players;  // those shown
    bool creatures = false;                    // any living one shown
    const SchemeColour* colour = nullptr;
  };
  Tribe& Add(int32 team);
  const Tribe& Of(int32 team) const;

  std::vector<Tribe> tribes_;
};

}  // namespace devserver
