// One FindDinos call over a map of 50,000 creatures: with few matches and with many, and over
// creatures whose names are dear to compare, to show that the dead and the tamed are turned away
// before their names are looked at.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "commands/FindDinos.h"
#include "core/Config.h"
#include "framework/Events.h"
#include "game/Game.h"

namespace {

using namespace packsentinel;

constexpr int kWorldCreatures = 50000;

const char* const kConfig = R"({
  "Commands": {"FindDinos": {"Command": "/finddino", "Enabled": true,
    "AllowedGroups": ["Default"]}},
  "Messages": {"MessageSender": "Packsentinel",
    "FindDinosUseHelp": "Usage: {} <creature name> [level]"}
})";

// A game with the plugin's configuration in force and the stand-in's output only counted.
class Server {
 public:
  Server() {
    framework::Events().SetMode(framework::EventLog::Mode::Count);
    Config = nlohmann::json::parse(kConfig);
    game::PlayerSpec spec;
    spec.name = "alice";
    spec.steamId = 1;
    spec.dataId = 1;
    player_ = &game_.AddPlayer(spec);
  }
  ~Server() { Config = nullptr; }

  game::Game& Game() { return game_; }
  AShooterPlayerController* Controller() {
    return reinterpret_cast<AShooterPlayerController*>(player_->controller);
  }

  // Creatures spread over the whole map at random levels.
  void Populate(int count, const std::string& name, unsigned seed, int32 team = 0) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> place(-400000.f, 400000.f);
    std::uniform_int_distribution<int32> level(1, 150);
    for (int i = 0; i < count; ++i) {
      game_.SpawnDino({"", name, level(random), team, {place(random), place(random), 0.f}});
    }
  }

  // Runs the command once per iteration; reports an error unless it answered as expected.
  void Run(benchmark::State& state, const char16_t* line, const char* expectedEvent) {
    FString text(line);
    for (auto _ : state) FindDinosCommand(Controller(), &text, 0);
    auto& events = framework::Events();
    events.SetMode(framework::EventLog::Mode::Record);
    events.SetRetain(true);
    events.ClearRetained();
    FindDinosCommand(Controller(), &text, 0);
    const auto& answer = events.Retained();
    if (answer.empty() || answer.front()["event"] != expectedEvent) {
      state.SkipWithError("unexpected answer");
    }
    events.SetRetain(false);
    events.ClearRetained();
    state.SetItemsProcessed(state.iterations() * kWorldCreatures);
  }

 private:
  game::Game game_;
  game::Player* player_;
};

// The usual search: a handful of one kind among many others.
void BM_FindDinosFewMatches(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures - 10, "Dodo", 1);
  server.Populate(10, "Giganotosaurus", 2);
  server.Run(state, u"/finddino giga", "notification");
}
BENCHMARK(BM_FindDinosFewMatches)->Unit(benchmark::kMillisecond);

// Half the map matches: the list text grows to 25,000 lines.
void BM_FindDinosManyMatches(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures / 2, "Dodo", 1);
  server.Populate(kWorldCreatures / 2, "Rex", 2);
  server.Run(state, u"/finddino rex", "notification");
}
BENCHMARK(BM_FindDinosManyMatches)->Unit(benchmark::kMillisecond);

// Names that nearly match at every position cost far more to compare than the cheap tests.
// Living wild creatures pay for it; dead or tamed ones with the same names must not, and should
// cost no more than creatures with a short name.
const std::string kDearName(200, 'a');
const char16_t* const kDearSearch = u"/finddino aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab";

void BM_FindDinosDearNamesCompared(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures, kDearName, 1);
  server.Run(state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosDearNamesCompared)->Unit(benchmark::kMillisecond);

void BM_FindDinosDearNamesDead(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures, kDearName, 1);
  for (auto* dino : server.Game().Dinos()) dino->SetFlag(game::APrimalCharacter::kIsDeadBit, true);
  server.Run(state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosDearNamesDead)->Unit(benchmark::kMillisecond);

void BM_FindDinosDearNamesTamed(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures, kDearName, 1, 50000);
  server.Run(state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosDearNamesTamed)->Unit(benchmark::kMillisecond);

void BM_FindDinosShortNamesTamed(benchmark::State& state) {
  Server server;
  server.Populate(kWorldCreatures, "a", 1, 50000);
  server.Run(state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosShortNamesTamed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
