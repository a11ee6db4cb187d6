// The label refresh: a full server's (7,630 labels) beside its floor, and one player's wild
// creatures alone.

#include <benchmark/benchmark.h>

#include <string>

#include "support/BenchServer.h"
#include "support/LabelWorld.h"
#include "support/PairedTiming.h"
#include "support/Resolutions.h"
#include "support/SetUp.h"
#include "tracking/Registries.h"
#include "tracking/WildDinoLabels.h"

namespace {

using namespace bench_support;

void BM_FullServerLabelRefresh(benchmark::State& state) {
  const auto world = MakeOrSkip<LabelWorld>(state);
  if (!world) return;
  if (const std::string error = world->Check(); !error.empty()) {
    return state.SkipWithError(error.c_str());
  }
  const auto plugin = [&] { world->RefreshPlugin(); };
  const auto floor = [&] { world->RefreshFloor(); };
  state.counters["resolutions/label"] =
      static_cast<double>(ResolutionsOf(plugin)) / kLabelsPerRefresh;
  state.counters["floor_resolutions/label"] =
      static_cast<double>(ResolutionsOf(floor)) / kLabelsPerRefresh;
  TimePaired(state, plugin, floor);
  state.SetItemsProcessed(state.iterations() * kLabelsPerRefresh);
  state.SetLabel("label refresh, full server: 7,630 labels");
}
BENCHMARK(BM_FullServerLabelRefresh)->UseManualTime()->Unit(benchmark::kMillisecond);

const char* const kWildOnlyConfig = R"({
  "Commands": {"TrackWildDinos": {"Command": "/trackdino", "Enabled": true,
    "AllowedGroups": ["Default"], "MaxTrackRange": 0, "MinTrackRange": 0}},
  "FloatingTexts": {"TrackWildDinosText": "{dinoName} {dinoLevel} {dinoDistance}m"}
})";

// One player's wild creatures, 10 or 200 of them, through the wild updater alone.
void BM_WildLabelRefresh(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kWildOnlyConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(static_cast<int>(state.range(0)), "Rex", 30000.f, 1);
  for (auto* dino : server.Game().Dinos()) {
    packsentinel::AppendDinoEntry(packsentinel::WildDinoTrackers, alice,
                                  reinterpret_cast<APrimalDinoCharacter*>(dino));
  }
  const auto refresh = [] { packsentinel::WildDinoLabelUpdater(0.f); };
  state.counters["resolutions/label"] =
      static_cast<double>(ResolutionsOf(refresh)) / static_cast<double>(state.range(0));
  for (auto _ : state) refresh();
  if (packsentinel::WildDinoTrackers.size() != static_cast<std::size_t>(state.range(0))) {
    state.SkipWithError("entries were dropped");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetLabel("wild labels of one player: " + std::to_string(state.range(0)));
}
BENCHMARK(BM_WildLabelRefresh)->Arg(10)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
