// Wild-creature tracking as a player sees it cost the server: one label refresh over the
// tracked creatures, and one TrackWildDinos command in a populated world.

#include <benchmark/benchmark.h>

#include <random>

#include "commands/TrackWildDinos.h"
#include "core/Config.h"
#include "core/Lifecycle.h"
#include "framework/Events.h"
#include "game/Game.h"
#include "tracking/Registries.h"
#include "tracking/WildDinoLabels.h"

namespace {

using namespace packsentinel;

constexpr int kWorldCreatures = 50000;

const char* const kConfig = R"({
  "Commands": {"TrackWildDinos": {"Command": "/trackdino", "Enabled": true,
    "AllowedGroups": ["Default"], "MaxTrackRange": 0, "MinTrackRange": 0}},
  "MaxTrackPerPlayer": 10,
  "UpdateTextEvery": 0,
  "Messages": {"MessageSender": "Packsentinel",
    "TrackLimitReached": "You already track as many creatures as you may.",
    "TrackingDinosNoLevel": "Tracking {} near you. You may track {} creatures at once.",
    "NoDinosFound": "No wild creature called {} is near you."},
  "FloatingTexts": {"TrackWildDinosText": "{dinoName} {dinoLevel} {dinoDistance}m"}
})";

// A game with the plugin's configuration in force and the stand-in's output only counted.
class Server {
 public:
  Server() {
    framework::Events().SetMode(framework::EventLog::Mode::Count);
    Config = nlohmann::json::parse(kConfig);
    TextUpdatePeriod = 0;
    game::PlayerSpec spec;
    spec.name = "alice";
    spec.steamId = 1;
    spec.dataId = 1;
    player_ = &game_.AddPlayer(spec);
  }
  ~Server() {
    WildDinoTrackers.clear();
    TrackCounts.clear();
    Config = nullptr;
  }

  game::Game& Game() { return game_; }
  AShooterPlayerController* Controller() {
    return reinterpret_cast<AShooterPlayerController*>(player_->controller);
  }

  // Creatures spread over a square map around the player, as a populated server has them.
  void Populate(int count, const char* name, float spread, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> place(-spread, spread);
    std::uniform_int_distribution<int32> level(1, 150);
    for (int i = 0; i < count; ++i) {
      game_.SpawnDino({"", name, level(random), 0, {place(random), place(random), 0.f}});
    }
  }

 private:
  game::Game game_;
  game::Player* player_;
};

void BM_WildLabelRefresh(benchmark::State& state) {
  Server server;
  server.Populate(static_cast<int>(state.range(0)), "Rex", 30000.f, 1);
  for (auto* dino : server.Game().Dinos()) {
    AppendDinoEntry(WildDinoTrackers, server.Controller(),
                    reinterpret_cast<APrimalDinoCharacter*>(dino));
  }
  for (auto _ : state) WildDinoLabelUpdater(0.f);
  if (WildDinoTrackers.size() != static_cast<std::size_t>(state.range(0))) {
    state.SkipWithError("entries were dropped");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WildLabelRefresh)->Arg(10)->Arg(200)->Unit(benchmark::kMicrosecond);

// The expanding search at its dearest: nothing matches, so all eleven rings are queried and
// the last ones return the whole map.
void BM_TrackWildDinosNoMatch(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures, "Dodo", 400000.f, 2);
  FString line(u"/trackdino rex");
  for (auto _ : state) TrackWildDinosCommand(server.Controller(), &line, 0);
  if (!WildDinoTrackers.empty()) state.SkipWithError("something was recorded");
}
BENCHMARK(BM_TrackWildDinosNoMatch)->Unit(benchmark::kMillisecond);

// The usual case: the player's ten slots are filled from the nearest rings.
void BM_TrackWildDinosTenNearby(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures - 20, "Dodo", 400000.f, 3);
  server.Populate(20, "Rex", 30000.f, 4);
  FString line(u"/trackdino rex");
  for (auto _ : state) {
    TrackWildDinosCommand(server.Controller(), &line, 0);
    state.PauseTiming();
    if (WildDinoTrackers.size() != 10) state.SkipWithError("not ten recorded");
    WildDinoTrackers.clear();
    TrackCounts.clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TrackWildDinosTenNearby)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
