// One FindDinos call over a map of 50,000 creatures: with few matches and with many, and over
// creatures whose names are dear to compare, to show that the dead and the tamed are turned away
// before their names are looked at.

#include <benchmark/benchmark.h>

#include <string>

#include "commands/FindDinos.h"
#include "support/BenchServer.h"

namespace {

using namespace packsentinel;

constexpr int kWorldCreatures = 50000;
constexpr float kMapHalfWidth = 400000.f;

const char* const kConfig = R"({
  "Commands": {"FindDinos": {"Command": "/finddino", "Enabled": true,
    "AllowedGroups": ["Default"]}},
  "Messages": {"MessageSender": "Packsentinel",
    "FindDinosUseHelp": "Usage: {} <creature name> [level]"}
})";

using Server = bench_support::BenchServer;

// Runs the command once per iteration; reports an error unless it answered as expected.
void Run(Server& server, benchmark::State& state, const char16_t* line, const char* expectedEvent) {
  FString text(line);
  for (auto _ : state) FindDinosCommand(server.Controller(), &text, 0);
  auto& events = framework::Events();
  events.SetMode(framework::EventLog::Mode::Record);
  events.SetRetain(true);
  events.ClearRetained();
  FindDinosCommand(server.Controller(), &text, 0);
  const auto& answer = events.Retained();
  if (answer.empty() || answer.front()["event"] != expectedEvent) {
    state.SkipWithError("unexpected answer");
  }
  events.SetRetain(false);
  events.ClearRetained();
  state.SetItemsProcessed(state.iterations() * kWorldCreatures);
}

// The usual search: a handful of one kind among many others.
void BM_FindDinosFewMatches(benchmark::State& state) {
  Server server(kConfig);
  server.Populate(kWorldCreatures - 10, "Dodo", kMapHalfWidth, 1);
  server.Populate(10, "Giganotosaurus", kMapHalfWidth, 2);
  Run(server, state, u"/finddino giga", "notification");
}
BENCHMARK(BM_FindDinosFewMatches)->Unit(benchmark::kMillisecond);

// Half the map matches: the list text grows to 25,000 lines.
void BM_FindDinosManyMatches(benchmark::State& state) {
  Server server(kConfig);
  server.Populate(kWorldCreatures / 2, "Dodo", kMapHalfWidth, 1);
  server.Populate(kWorldCreatures / 2, "Rex", kMapHalfWidth, 2);
  Run(server, state, u"/finddino rex", "notification");
}
BENCHMARK(BM_FindDinosManyMatches)->Unit(benchmark::kMillisecond);

// Names that nearly match at every position cost far more to compare than the cheap tests.
// Living wild creatures pay for it; dead or tamed ones with the same names must not, and should
// cost no more than creatures with a short name.
const std::string kDearName(200, 'a');
const char16_t* const kDearSearch = u"/finddino aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab";

void BM_FindDinosDearNamesCompared(benchmark::State& state) {
  Server server(kConfig);
  server.Populate(kWorldCreatures, kDearName, kMapHalfWidth, 1);
  Run(server, state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosDearNamesCompared)->Unit(benchmark::kMillisecond);

void BM_FindDinosDearNamesDead(benchmark::State& state) {
  Server server(kConfig);
  server.Populate(kWorldCreatures, kDearName, kMapHalfWidth, 1);
  for (auto* dino : server.Game().Dinos()) dino->SetFlag(game::APrimalCharacter::kIsDeadBit, true);
  Run(server, state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosDearNamesDead)->Unit(benchmark::kMillisecond);

void BM_FindDinosDearNamesTamed(benchmark::State& state) {
  Server server(kConfig);
  server.Populate(kWorldCreatures, kDearName, kMapHalfWidth, 1, 50000);
  Run(server, state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosDearNamesTamed)->Unit(benchmark::kMillisecond);

void BM_FindDinosShortNamesTamed(benchmark::State& state) {
  Server server(kConfig);
  server.Populate(kWorldCreatures, "a", kMapHalfWidth, 1, 50000);
  Run(server, state, kDearSearch, "sotf_notification");
}
BENCHMARK(BM_FindDinosShortNamesTamed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
