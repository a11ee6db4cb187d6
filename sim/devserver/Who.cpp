#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <map>

#include "devserver/Reports.h"
#include "framework/Events.h"
#include "permissions/Groups.h"

namespace devserver {
namespace {

using Row = std::vector<std::string>;

// Columns as wide as their widest cell, two spaces apart; numbers (and their headings) to the
// right where the caller says so.
std::string Table(const std::vector<Row>& rows, std::size_t firstRightAligned = SIZE_MAX) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
  }
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line += "  ";
      line += i >= firstRightAligned ? fmt::format("{:>{}}", row[i], widths[i])
                                     : fmt::format("{:<{}}", row[i], widths[i]);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
  }
  return out;
}

std::string Position(const FVector& at) { return fmt::format("{} {} {}", at.X, at.Y, at.Z); }

// Whether his client is there: a controller, and a character the game counts as connected.
std::string Connection(const game::Player& player) {
  if (player.controller == nullptr) return "logged out";
  std::string state =
      player.character && player.character->IsConnected() ? "connected" : "not connected";
  if (player.controller->IsRespawning()) state += ", respawning";
  return state;
}

std::string CharacterState(const game::Player& player) {
  if (player.character == nullptr) return "no character";
  std::string state = player.character->IsDead() ? "dead" : "alive";
  if (player.controller && player.controller->Character != player.character) {
    state += ", not possessed";
  }
  return state;
}

Row PlayerRow(const game::Player& player) {
  std::string groups = fmt::format("{}", fmt::join(permissions::GroupsOf(player.steamId), ","));
  return {player.name,
          player.character ? Position(player.character->Location()) : "-",
          player.tribe ? std::to_string(*player.tribe) : "-",
          std::to_string(player.team),
          groups.empty() ? "-" : groups,
          Connection(player),
          CharacterState(player)};
}

struct Count {
  int all = 0, dead = 0, asleep = 0;

  void Add(const game::APrimalDinoCharacter& dino) {
    ++all;
    dead += dino.IsDead() ? 1 : 0;
    asleep += dino.Flag(game::APrimalCharacter::kIsSleepingBit) ? 1 : 0;
  }
  Row AsRow(std::string kind) const {
    return {std::move(kind), std::to_string(all), std::to_string(dead), std::to_string(asleep)};
  }
};

}  // namespace

std::string WhoText(const game::Game& game) {
  std::string out = fmt::format("tick {}\n", framework::Events().Tick());
  if (game.Players().empty()) {
    out += "no players\n";
  } else {
    std::vector<Row> rows{{"player", "at", "tribe", "team", "groups", "connection", "character"}};
    for (const auto& player : game.Players()) rows.push_back(PlayerRow(*player));
    out += Table(rows);
  }
  const auto dinos = game.Dinos();
  if (dinos.empty()) return out + "no creatures\n";
  Count wild, all;
  std::map<int32, Count> tamed;
  for (const auto* dino : dinos) {
    all.Add(*dino);
    if (RelationOf(*dino, nullptr) == Relation::WildCreature) {
      wild.Add(*dino);
    } else {
      tamed[dino->TargetingTeam].Add(*dino);
    }
  }
  std::vector<Row> rows{{"creatures", "count", "dead", "asleep"}, wild.AsRow("wild")};
  for (const auto& [team, count] : tamed) rows.push_back(count.AsRow(fmt::format("team {}", team)));
  rows.push_back(all.AsRow("all"));
  return out + Table(rows, 1);
}

}  // namespace devserver
