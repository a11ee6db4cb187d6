#pragma once

// A game with the plugin's configuration in force, one player, and the stand-in's output only
// counted, so a benchmark measures the plugin rather than the stand-in's bookkeeping.

#include <random>
#include <string>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "framework/Events.h"
#include "game/Game.h"
#include "tracking/Registries.h"

namespace bench_support {

class BenchServer {
 public:
  explicit BenchServer(const char* config) {
    framework::Events().SetMode(framework::EventLog::Mode::Count);
    packsentinel::Config = nlohmann::json::parse(config);
    packsentinel::TextUpdatePeriod = 0;
    game::PlayerSpec setup;
    setup.name = "alice";
    setup.steamId = 1;
    setup.dataId = 1;
    player_ = &game_.AddPlayer(setup);
  }
  ~BenchServer() {
    packsentinel::WildDinoTrackers.clear();
    packsentinel::TrackCounts.clear();
    packsentinel::Config = nullptr;
  }
  BenchServer(const BenchServer&) = delete;
  BenchServer& operator=(const BenchServer&) = delete;

  game::Game& Game() { return game_; }
  AShooterPlayerController* Controller() {
    return reinterpret_cast<AShooterPlayerController*>(player_->controller);
  }

  // Creatures at random levels, spread over a square of the given half-width around the player.
  void Populate(int count, const std::string& name, float spread, unsigned seed, int32 team = 0) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> place(-spread, spread);
    std::uniform_int_distribution<int32> level(1, 150);
    for (int i = 0; i < count; ++i) {
      game_.SpawnDino({"", name, level(random), team, {place(random), place(random), 0.f}});
    }
  }

 private:
  game::Game game_;
  game::Player* player_;
};

}  // namespace bench_support
