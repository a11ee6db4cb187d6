// What the configuration's bounds let a server pay at most, in time and in heap: a full
// server's label refresh under the longest label templates the check accepts and under the
// largest file, and the reply to a chat line of a megabyte. This program counts every allocation
// of the process (so that it can give the most held at once), which costs every allocation a
// little: its times are a little above what the other programs would measure.

#include <benchmark/benchmark.h>
#include <heapmeter/HeapMeter.h>

#include <string>

#include "commands/TrackWildDinos.h"
#include "config/ConfigFile.h"
#include "config/Schema.h"
#include "core/Config.h"
#include "support/BenchServer.h"
#include "support/LabelWorld.h"
#include "support/PairedTiming.h"
#include "support/SetUp.h"

namespace {

using namespace bench_support;

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

// The full server's refresh under a configuration of the largest size allowed, nearly all of it a
// text under an unknown key of a command section, beside the same refresh under the shipped
// configuration: what the size bound lets a file cost each refresh. "file_bytes" is its size as
// written, without blanks.
void BM_LargestFileRefresh(benchmark::State& state) {
  const auto world = MakeOrSkip<LabelWorld>(state);
  if (!world) return;
  nlohmann::json largest = packsentinel::Config;
  auto& notes =
      largest[packsentinel::schema::kCommands][packsentinel::schema::kTrackWildDinos.key]["Notes"];
  notes = "";
  notes = std::string(packsentinel::kConfigSizeLimit - largest.dump().size(), 'n');
  const auto underTheBound = [&] {
    packsentinel::Config.swap(largest);
    world->RefreshPlugin();
    packsentinel::Config.swap(largest);
  };
  const auto shipped = [&] { world->RefreshPlugin(); };
  state.counters["file_bytes"] = static_cast<double>(largest.dump().size());
  state.counters["peak_heap"] = PeakHeapOf(underTheBound);
  TimePaired(state, underTheBound, shipped);
  state.SetLabel("a file of 1 MiB, a text under an unknown key; floor: the shipped file");
}
BENCHMARK(BM_LargestFileRefresh)->UseManualTime()->Unit(benchmark::kMillisecond);

// A chat line of a megabyte that matches nothing, answered with a message that repeats the name
// as often as the check allows, beside the floor of reading the line once; "peak_heap" is the
// most the command held at once.
void BM_ReplyToAMegabyteLine(benchmark::State& state) {
  auto config = nlohmann::json::parse(kTrackWildDinosConfig);
  std::string repeated;
  for (int i = 0; i < 40; ++i) repeated += "{0}";
  config["Messages"]["NoDinosFound"] = repeated;
  BenchServer server(std::move(config));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  const std::u16string line = u"/trackdino " + std::u16string(1 << 20, u'W');
  const auto plugin = [&] { packsentinel::TrackWildDinosCommand(alice, line, 0); };
  std::u16string copy;
  const auto floor = [&] {
    copy = line;
    benchmark::DoNotOptimize(copy.data());
  };
  state.counters["peak_heap"] = PeakHeapOf(plugin);
  TimePaired(state, plugin, floor);
  state.SetLabel("TrackWildDinos, a line of 1 MiB characters, no match");
}
BENCHMARK(BM_ReplyToAMegabyteLine)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
