// The label refresh: a full server's (7,630 labels) beside its floor, the same under the longest
// label templates the configuration check accepts, and one player's wild creatures alone.

#include <benchmark/benchmark.h>
#include <heapmeter/HeapMeter.h>

#include <string>

#include "config/Schema.h"
#include "core/Config.h"
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

// The most a refresh holds at once beyond what it started with.
template <typename Work>
double PeakHeapOf(Work&& work) {
  heapmeter::ResetPeak();
  const std::size_t before = heapmeter::LiveBytes();
  work();
  return static_cast<double>(heapmeter::PeakBytes() - before);
}

// A label template of the longest accepted length: the placeholder repeated, or, with braces,
// the placeholder between braces, which fills in step by step rather than in one pass.
std::string LongestTemplate(host::TextView placeholder, bool betweenBraces) {
  const std::string name(placeholder.begin(), placeholder.end());
  const std::string unit = betweenBraces ? "{" + name + "}" : name;
  std::string text;
  while (text.size() + unit.size() <=
         static_cast<std::size_t>(packsentinel::schema::kLabelLengthLimit)) {
    text += unit;
  }
  return text;
}

// The full server with every label template at the longest the check accepts, beside the floor
// of the shipped templates: what the bound on templates lets a configuration cost. Arg 0: each
// template its first placeholder repeated; 1: that placeholder between braces, repeated.
void BM_LongestTemplatesRefresh(benchmark::State& state) {
  const auto world = MakeOrSkip<LabelWorld>(state);
  if (!world) return;
  const auto plugin = [&] { world->RefreshPlugin(); };
  const auto floor = [&] { world->RefreshFloor(); };
  state.counters["shipped_peak_heap"] = PeakHeapOf(plugin);
  const bool betweenBraces = state.range(0) == 1;
  for (const auto* label : packsentinel::schema::kLabelSchemas) {
    packsentinel::Config[packsentinel::schema::kFloatingTexts][label->key] =
        LongestTemplate(label->placeholders[0], betweenBraces);
  }
  state.counters["peak_heap"] = PeakHeapOf(plugin);
  TimePaired(state, plugin, floor);
  state.SetItemsProcessed(state.iterations() * kLabelsPerRefresh);
  state.SetLabel(betweenBraces ? "longest templates, placeholders between braces"
                               : "longest templates, placeholders repeated");
}
BENCHMARK(BM_LongestTemplatesRefresh)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

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
