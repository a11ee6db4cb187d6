#pragma once

// A small server for the fuzzers: the stand-in game with three players and a few creatures,
// the plugin's code linked in, and a server folder of its own for config.json. Any handler
// error while a configuration is in force is a finding: the checks promise that a
// configuration that loads can be used.

#include <string>
#include <string_view>

#include "game/Game.h"

namespace fuzz {

class FuzzServer {
 public:
  FuzzServer();

  void WriteConfig(std::string_view text);
  // The shipped configuration, labels refreshed at every tick so that few ticks reach them.
  void WriteSoundConfig();
  // True when the plugin started with the configuration written last.
  bool Load();
  // Ends the plugin and forgets all tracking, as a library released and mapped again.
  void Unload();

  // player: any number, taken modulo the players.
  void Chat(unsigned player, std::string_view line);
  void Reload(unsigned player);
  void Tick(int count) { game_.Tick(count); }

 private:
  game::Player& PlayerAt(unsigned player);

  game::Game game_;
  std::string folder_;
};

// The one server of this process.
FuzzServer& Server();

}  // namespace fuzz
