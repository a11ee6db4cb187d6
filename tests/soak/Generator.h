#pragma once

// The soak's random play, seeded so that a seed gives the same run every time: creatures
// spawned and destroyed (so that memory is reused), players who connect, leave, come back,
// change tribe, die and respawn, the five commands with hostile arguments, reloads of valid,
// broken and missing files, unloads and loads, and ticks in between.

#include <cstdint>
#include <random>

#include "soak/Checker.h"
#include "soak/Session.h"
#include "soak/SoakConfig.h"
#include "soak/World.h"

namespace soak {

class Generator {
 public:
  // base: the valid file every configuration is varied from.
  Generator(Session& session, World& world, Checker& checker, ConfigInForce& inForce, Json base,
            std::uint32_t seed);

  // Players and a valid file; the plugin loaded. The steps bring the creatures.
  void Start();
  void Step();
  // Loads the plugin, from a valid file, unless it is loaded.
  void EnsureLoaded();

 private:
  enum class Disk { Valid, Broken, Missing };

  void Tick();
  void SpawnCreature();
  void ChangeCreature();
  void MoveSomething();
  void Connect();
  void ChangePlayer();
  // The line, typed that many times over as one action, by a speaker of the generator's choice,
  // by that player, or by that scenario name.
  void Chat(const std::string& word, const std::string& arguments, int times = 1);
  void ChatAs(std::size_t player, const std::string& text, int times);
  void Say(const std::string& speaker, const std::string& text, int times);
  void OnOrOff(const std::string& word);
  void Reload();
  void UnloadAndLoad();

  void WriteValid();
  void WriteBroken();
  void Load();

  std::size_t AnyPlayer();
  std::size_t OnlinePlayer();  // the size of the list when nobody is online
  std::vector<std::string> RandomGroups();
  Position RandomPosition();
  bool Chance(double probability);

  Session& session_;
  World& world_;
  Checker& checker_;
  ConfigInForce& inForce_;
  const Json base_;
  std::mt19937 random_;
  Disk disk_ = Disk::Missing;
  SoakConfig written_;  // the last valid file written
};

}  // namespace soak
