// What the plugin costs every server tick while no label refresh is due: its three tick
// callbacks registered with the host as at load, run through the host's tick, on the full
// server of the label benchmark.

#include <benchmark/benchmark.h>

#include <limits>

#include "core/Lifecycle.h"
#include "framework/Events.h"
#include "framework/Server.h"
#include "support/BenchServer.h"
#include "support/LabelWorld.h"
#include "support/Resolutions.h"
#include "support/SetUp.h"

namespace {

using namespace bench_support;

void BM_TickNoRefreshDue(benchmark::State& state) {
  nlohmann::json config = BenchServer::ShippedConfig();
  // No refresh comes due within any run.
  config["UpdateTextEvery"] = std::numeric_limits<int32>::max();
  const auto world = MakeOrSkip<LabelWorld>(state, std::move(config));
  if (!world) return;
  packsentinel::RegisterTickCallbacks();
  const std::uint64_t eventsBefore = framework::Events().Count();
  const auto tick = [] { framework::RunTick(1.f / 30.f); };
  state.counters["resolutions/tick"] = static_cast<double>(ResolutionsOf(tick));
  for (auto _ : state) tick();
  if (framework::Events().Count() != eventsBefore) state.SkipWithError("a tick sent something");
  packsentinel::RemoveTickCallbacks();
  state.SetLabel("three tick callbacks, no refresh due");
}
BENCHMARK(BM_TickNoRefreshDue)->Unit(benchmark::kNanosecond);

}  // namespace
