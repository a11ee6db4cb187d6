#pragma once

// The soak's account of the game around the plugin: its players and named creatures, kept as
// the lines that change them are run, so that every line it writes is one the devserver runs.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "soak/Session.h"

namespace soak {

struct Position {
  double x = 0, y = 0, z = 0;
};

struct SoakPlayer {
  std::string name;
  std::vector<std::string> groups;
  bool online = true;   // has a controller
  bool hasBody = true;  // his character exists
};

struct NewCreature {
  std::string descriptiveName;
  std::int32_t level = 1;
  std::int32_t team = 0;
  Position at;
};

class World {
 public:
  explicit World(Session& session) : session_(session) {}

  const std::vector<SoakPlayer>& Players() const { return players_; }
  const std::vector<std::string>& Creatures() const { return creatures_; }

  // Named "p<number><suffix>"; the suffix is one scenario word.
  void AddPlayer(std::string_view suffix, std::vector<std::string> groups,
                 std::optional<std::int32_t> tribe, const Position& at);
  void Disconnect(std::size_t player);
  void Reconnect(std::size_t player, bool keepOldController);
  void DestroyBody(std::size_t player);
  void SetGroups(std::size_t player, std::vector<std::string> groups);
  // Connected, with a living body he controls, not respawning.
  void Restore(std::size_t player);
  void Move(const std::string& actor, const Position& to);

  // The creature's scenario name.
  const std::string& Spawn(const NewCreature& creature);
  void Destroy(std::size_t creature);
  void DestroyAllCreatures();

 private:
  Session& session_;
  std::vector<SoakPlayer> players_;
  std::vector<std::string> creatures_;
  std::uint64_t lastId_ = 0;
};

std::string LineOf(const Position& at);  // "X Y Z"

}  // namespace soak
