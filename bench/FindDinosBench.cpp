// One FindDinos call over a map of 50,000 creatures: with few matches and with many, each beside
// its floor; and over creatures whose names are dear to compare, to show what a name costs
// whatever it holds.

#include <benchmark/benchmark.h>

#include <string>

#include "commands/FindDinos.h"
#include "support/BenchServer.h"
#include "support/EventCapture.h"
#include "support/FloorFindDinos.h"
#include "support/PairedTiming.h"
#include "support/Resolutions.h"
#include "support/SetUp.h"

namespace {

using namespace bench_support;

const char* const kConfig = R"({
  "Commands": {"FindDinos": {"Command": "/finddino", "Enabled": true,
    "AllowedGroups": ["Default"]}},
  "Messages": {"MessageSender": "Packsentinel",
    "FindDinosUseHelp": "Usage: {} <creature name> [level]"}
})";

// Plugin and floor in every iteration, once the floor is shown to answer as the plugin does.
void RunBesideFloor(benchmark::State& state, AShooterPlayerController* player,
                    const char16_t* line) {
  const auto game = MakeOrSkip<FloorGame>(state);
  if (!game) return;
  FloorFindDinos floor(*game);
  const auto plugin = [&] { packsentinel::FindDinosCommand(player, line, 0); };
  const auto floorRun = [&] { floor.Run(player, line); };
  if (!SameEvents(state, plugin, floorRun)) return;
  const auto visited = static_cast<double>(floor.Visited());
  state.counters["resolutions/creature"] = static_cast<double>(ResolutionsOf(plugin)) / visited;
  state.counters["floor_resolutions/creature"] =
      static_cast<double>(ResolutionsOf(floorRun)) / visited;
  TimePaired(state, plugin, floorRun);
  state.SetItemsProcessed(state.iterations() * kWorldCreatures);
}

// The usual search: a handful of one kind among many others.
void BM_FindDinosFewMatches(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures - 10, "Dodo", kMapHalfWidth, 1);
  server.Populate(10, "Giganotosaurus", kMapHalfWidth, 2);
  RunBesideFloor(state, alice, u"/finddino giga");
  state.SetLabel("FindDinos, 10 of 50,000 match");
}
BENCHMARK(BM_FindDinosFewMatches)->UseManualTime()->Unit(benchmark::kMillisecond);

// Half the map matches: the list text grows to 25,000 lines.
void BM_FindDinosManyMatches(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures / 2, "Dodo", kMapHalfWidth, 1);
  server.Populate(kWorldCreatures / 2, "Rex", kMapHalfWidth, 2);
  RunBesideFloor(state, alice, u"/finddino rex");
  state.SetLabel("FindDinos, 25,000 of 50,000 match");
}
BENCHMARK(BM_FindDinosManyMatches)->UseManualTime()->Unit(benchmark::kMillisecond);

// The plugin alone, once per iteration; skipped unless its answer starts with the expected event.
void RunAlone(benchmark::State& state, AShooterPlayerController* player, const char16_t* line,
              const char* expectedEvent) {
  const auto run = [&] { packsentinel::FindDinosCommand(player, line, 0); };
  state.counters["resolutions/creature"] =
      static_cast<double>(ResolutionsOf(run)) / kWorldCreatures;
  for (auto _ : state) run();
  const auto answer = RecordEvents([&] { packsentinel::FindDinosCommand(player, line, 0); });
  if (answer.empty() || answer.front()["event"] != expectedEvent) {
    state.SkipWithError("unexpected answer");
  }
  state.SetItemsProcessed(state.iterations() * kWorldCreatures);
}

// Names of 200 letters that nearly match at every position. The name is the first test, before
// death and team, so dead and tamed creatures pay for it as living ones do; the comparison reads
// each letter of a name once, so they pay in proportion to its length, not to its length times
// the search's.
const std::string kDearName(200, 'a');
const char16_t* const kDearSearch = u"/finddino aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab";

void BM_FindDinosDearNamesCompared(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures, kDearName, kMapHalfWidth, 1);
  RunAlone(state, alice, kDearSearch, "sotf_notification");
  state.SetLabel("FindDinos, 50,000 dear names compared");
}
BENCHMARK(BM_FindDinosDearNamesCompared)->Unit(benchmark::kMillisecond);

void BM_FindDinosDearNamesDead(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures, kDearName, kMapHalfWidth, 1);
  for (auto* dino : server.Game().Dinos()) dino->SetFlag(game::APrimalCharacter::kIsDeadBit, true);
  RunAlone(state, alice, kDearSearch, "sotf_notification");
  state.SetLabel("FindDinos, 50,000 dear names, all dead");
}
BENCHMARK(BM_FindDinosDearNamesDead)->Unit(benchmark::kMillisecond);

void BM_FindDinosDearNamesTamed(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures, kDearName, kMapHalfWidth, 1, 50000);
  RunAlone(state, alice, kDearSearch, "sotf_notification");
  state.SetLabel("FindDinos, 50,000 dear names, all tamed");
}
BENCHMARK(BM_FindDinosDearNamesTamed)->Unit(benchmark::kMillisecond);

void BM_FindDinosShortNamesTamed(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures, "a", kMapHalfWidth, 1, 50000);
  RunAlone(state, alice, kDearSearch, "sotf_notification");
  state.SetLabel("FindDinos, 50,000 short names, all tamed");
}
BENCHMARK(BM_FindDinosShortNamesTamed)->Unit(benchmark::kMillisecond);

}  // namespace
