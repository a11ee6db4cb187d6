#include "devserver/TribeKey.h"

#include <fmt/format.h>

#include <algorithm>

#include "devserver/Words.h"
#include "devserver/WorldView.h"

namespace devserver {
namespace {

// "tribe 50001: alice, bob"; a team of players without a tribe is named by them alone.
std::string Describe(int32 team, const std::vector<const game::Player*>& players) {
  if (players.empty()) return fmt::format("tribe {}", team);
  std::vector<std::string> names;
  for (const auto* player : players) names.push_back(player->name);
  const auto tribeIs = [&](std::optional<int32> tribe) {
    return std::all_of(players.begin(), players.end(),
                       [&](const game::Player* player) { return player->tribe == tribe; });
  };
  if (tribeIs(team)) return fmt::format("tribe {}: {}", team, NameList(names));
  if (tribeIs(std::nullopt)) return NameList(names) + ", no tribe";
  return fmt::format("team {}: {}", team, NameList(names));
}

}  // namespace

TribeKey::TribeKey(const game::Game& game, const Frame& frame, const game::Player* viewer) {
  if (viewer) Add(viewer->team);
  for (const auto& player : game.Players()) {
    if (player->character && frame.Shows(player->character->Location())) {
      Add(player->team).players.push_back(player.get());
    }
  }
  for (const auto* dino : game.Dinos()) {
    if (dino->TargetingTeam > kWildTeamBound && !dino->IsDead() && frame.Shows(dino->Location())) {
      Add(dino->TargetingTeam).creatures = true;
    }
  }
  // The viewer's first; then players before creatures only, each by team.
  std::stable_sort(
      tribes_.begin() + (viewer ? 1 : 0), tribes_.end(), [](const Tribe& a, const Tribe& b) {
        return std::pair(a.players.empty(), a.team) < std::pair(b.players.empty(), b.team);
      });
  std::size_t turn = 0;
  for (auto& tribe : tribes_) {
    tribe.colour =
        viewer && tribe.team == viewer->team ? &OwnTribeColour() : &OtherTribeColour(turn++);
  }
}

TribeKey::Tribe& TribeKey::Add(int32 team) {
  const auto it = std::find_if(tribes_.begin(), tribes_.end(),
                               [team](const Tribe& tribe) { return tribe.team == team; });
  return it != tribes_.end() ? *it : tribes_.emplace_back(Tribe{team, {}});
}

const TribeKey::Tribe& TribeKey::Of(int32 team) const {
  return *std::find_if(tribes_.begin(), tribes_.end(),
                       [team](const Tribe& tribe) { return tribe.team == team; });
}

std::string_view TribeKey::PlayerFill(const game::Player& player) const {
  return Of(player.team).colour->fill;
}

std::string_view TribeKey::CreatureFill(const game::APrimalDinoCharacter& dino) const {
  if (dino.TargetingTeam <= kWildTeamBound) return WildColour().fill;
  return Of(dino.TargetingTeam).colour->fill;
}

void TribeKey::Explain(LegendWriter& legend) const {
  const SchemeColour& rest = OtherTribesColour();
  int others = 0;
  bool otherPlayers = false, otherCreatures = false;
  for (const auto& tribe : tribes_) {
    if (tribe.colour == &rest) {
      ++others;
      otherPlayers |= !tribe.players.empty();
      otherCreatures |= tribe.creatures;
    } else if (!tribe.players.empty() || tribe.creatures) {
      legend.Tribe(tribe.colour->fill, !tribe.players.empty(), tribe.creatures,
                   Describe(tribe.team, tribe.players));
    }
  }
  if (others > 0) {
    legend.Tribe(rest.fill, otherPlayers, otherCreatures, fmt::format("{} other tribes", others));
  }
}

}  // namespace devserver
