// One TrackWildDinos command on a map of 50,000 creatures, beside its floor: with nothing to
// match, so that the expanding search runs all its eleven rings, and in the usual case where the
// nearest rings fill the player's ten slots.

#include <benchmark/benchmark.h>

#include <optional>
#include <string_view>
#include <vector>

#include "commands/TrackWildDinos.h"
#include "support/BenchServer.h"
#include "support/EventCapture.h"
#include "support/FloorTrackWildDinos.h"
#include "support/PairedTiming.h"
#include "support/Resolutions.h"
#include "support/SetUp.h"
#include "tracking/Registries.h"

namespace {

using namespace bench_support;

std::vector<APrimalDinoCharacter*> PluginRecorded() {
  std::vector<APrimalDinoCharacter*> creatures;
  for (const auto& entry : packsentinel::WildDinoTrackers)
    creatures.push_back(entry.creature.Get());
  return creatures;
}

void ForgetPluginRecords() {
  packsentinel::WildDinoTrackers.clear();
  packsentinel::TrackCounts.clear();
}

// What a run must have done for the floor to be compared with the plugin at all.
struct Expected {
  std::size_t recorded;
  // When the scenario fixes them: the rings searched and the distinct creatures tested.
  std::optional<std::size_t> overlapQueries;
  std::optional<std::size_t> visited;
};

// Plugin and floor in every iteration, each starting with nothing tracked, once the floor is
// shown to answer, query and record as the plugin does, and both to do what is expected.
void RunBesideFloor(benchmark::State& state, BenchServer& server, AShooterPlayerController* player,
                    const Expected& expected) {
  const auto game = MakeOrSkip<FloorGame>(state);
  if (!game) return;
  FloorTrackWildDinos floor(*game);
  const std::u16string_view line = u"/trackdino rex";
  const auto plugin = [&] { packsentinel::TrackWildDinosCommand(player, line, 0); };
  const auto floorRun = [&] { floor.Run(player, line); };
  const auto forgetBoth = [&] {
    ForgetPluginRecords();
    floor.Forget();
  };

  std::vector<float> pluginQueries;
  std::vector<float> floorQueries;
  server.Game().TakeOverlapQueries();
  const bool same = SameEvents(
      state,
      [&] {
        plugin();
        pluginQueries = server.Game().TakeOverlapQueries();
      },
      [&] {
        floorRun();
        floorQueries = server.Game().TakeOverlapQueries();
      });
  if (!same) return;
  const auto recorded = PluginRecorded();
  if (floorQueries != pluginQueries) {
    return state.SkipWithError("the floor made other overlap queries");
  }
  if (recorded != floor.Recorded())
    return state.SkipWithError("the floor recorded other creatures");
  if (recorded.size() != expected.recorded) return state.SkipWithError("unexpected record count");
  if (expected.overlapQueries && pluginQueries.size() != *expected.overlapQueries) {
    return state.SkipWithError("unexpected number of overlap queries");
  }
  if (expected.visited && floor.Visited() != *expected.visited) {
    return state.SkipWithError("the floor did not test each creature once");
  }
  forgetBoth();

  const auto visited = static_cast<double>(floor.Visited());
  state.counters["resolutions/creature"] = static_cast<double>(ResolutionsOf(plugin)) / visited;
  state.counters["floor_resolutions/creature"] =
      static_cast<double>(ResolutionsOf(floorRun)) / visited;
  forgetBoth();
  TimePaired(state, plugin, floorRun, forgetBoth);
}

// The expanding search at its dearest: nothing matches, so all eleven rings are queried and
// the last ones return the whole map.
void BM_TrackWildDinosNoMatch(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kTrackWildDinosConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures, "Dodo", kMapHalfWidth, 2);
  RunBesideFloor(state, server, alice,
                 {.recorded = 0, .overlapQueries = 11, .visited = kWorldCreatures});
  state.SetLabel("TrackWildDinos, no match in 50,000: 11 rings");
}
BENCHMARK(BM_TrackWildDinosNoMatch)->UseManualTime()->Unit(benchmark::kMillisecond);

// The usual case: the player's ten slots are filled from the nearest rings.
void BM_TrackWildDinosTenNearby(benchmark::State& state) {
  BenchServer server(nlohmann::json::parse(kTrackWildDinosConfig));
  AShooterPlayerController* alice = server.AddPlayer("alice", 1);
  server.Populate(kWorldCreatures - 20, "Dodo", kMapHalfWidth, 3);
  server.Populate(20, "Rex", 30000.f, 4);
  RunBesideFloor(state, server, alice, {.recorded = 10, .overlapQueries = {}, .visited = {}});
  state.SetLabel("TrackWildDinos, ten nearby of 50,000");
}
BENCHMARK(BM_TrackWildDinosTenNearby)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
