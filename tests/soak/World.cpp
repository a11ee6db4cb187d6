#include "soak/World.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

namespace soak {

std::string LineOf(const Position& at) { return fmt::format("{} {} {}", at.x, at.y, at.z); }

void World::AddPlayer(std::string_view suffix, std::vector<std::string> groups,
                      std::optional<std::int32_t> tribe, const Position& at) {
  const auto id = ++lastId_;
  SoakPlayer player{fmt::format("p{}{}", id, suffix), std::move(groups)};
  session_.Run(fmt::format("player {} steam={} data={}{} groups={} at {}", player.name,
                           76561198000000000ull + id, 20000 + id,
                           tribe ? fmt::format(" tribe={}", *tribe) : "",
                           fmt::join(player.groups, ","), LineOf(at)));
  players_.push_back(std::move(player));
}

void World::Disconnect(std::size_t player) {
  auto& soakPlayer = players_.at(player);
  session_.Run("disconnect " + soakPlayer.name);
  soakPlayer.online = false;
}

void World::Reconnect(std::size_t player, bool keepOldController) {
  auto& soakPlayer = players_.at(player);
  session_.Run("reconnect " + soakPlayer.name + (keepOldController ? " keep-old" : ""));
  soakPlayer.online = true;
  soakPlayer.hasBody = true;
}

void World::DestroyBody(std::size_t player) {
  auto& soakPlayer = players_.at(player);
  session_.Run("destroy " + soakPlayer.name);
  soakPlayer.hasBody = false;
}

void World::SetGroups(std::size_t player, std::vector<std::string> groups) {
  auto& soakPlayer = players_.at(player);
  soakPlayer.groups = std::move(groups);
  session_.Run(fmt::format("groups {} {}", soakPlayer.name, fmt::join(soakPlayer.groups, ",")));
}

void World::Restore(std::size_t player) {
  const auto& soakPlayer = players_.at(player);
  if (!soakPlayer.online || !soakPlayer.hasBody) {
    Reconnect(player, false);
  } else {
    session_.Run("set " + soakPlayer.name + " alive connected character respawned");
  }
}

void World::Move(const std::string& actor, const Position& to) {
  session_.Run(fmt::format("move {} {}", actor, LineOf(to)));
}

const std::string& World::Spawn(const NewCreature& creature) {
  const auto name = fmt::format("d{}", ++lastId_);
  session_.Run(fmt::format("dino {} \"{}\" level={} team={} at {}", name, creature.descriptiveName,
                           creature.level, creature.team, LineOf(creature.at)));
  return creatures_.emplace_back(name);
}

void World::Destroy(std::size_t creature) {
  session_.Run("destroy " + creatures_.at(creature));
  creatures_[creature] = std::move(creatures_.back());
  creatures_.pop_back();
}

void World::DestroyAllCreatures() {
  while (!creatures_.empty()) Destroy(creatures_.size() - 1);
}

}  // namespace soak
