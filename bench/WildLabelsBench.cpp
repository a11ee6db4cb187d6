// Wild-creature tracking as a player sees it cost the server: one label refresh over the
// tracked creatures, and one TrackWildDinos command in a populated world.

#include <benchmark/benchmark.h>

#include "commands/TrackWildDinos.h"
#include "support/BenchServer.h"
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

using Server = bench_support::BenchServer;

void BM_WildLabelRefresh(benchmark::State& state) {
  Server server(kConfig);
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
  Server server(kConfig);
  server.Populate(kWorldCreatures, "Dodo", 400000.f, 2);
  FString line(u"/trackdino rex");
  for (auto _ : state) TrackWildDinosCommand(server.Controller(), &line, 0);
  if (!WildDinoTrackers.empty()) state.SkipWithError("something was recorded");
}
BENCHMARK(BM_TrackWildDinosNoMatch)->Unit(benchmark::kMillisecond);

// The usual case: the player's ten slots are filled from the nearest rings.
void BM_TrackWildDinosTenNearby(benchmark::State& state) {
  Server server(kConfig);
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
