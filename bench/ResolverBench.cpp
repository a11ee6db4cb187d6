// One name resolution: what every use of a game name costs the plugin, on the stand-in's fast
// resolver (real_cost:0) and on one priced as the real framework's (real_cost:1).

#include <API/ARK/Ark.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <string>

#include "framework/Names.h"
#include "game/Game.h"

namespace {

std::size_t heapAllocations = 0;

}  // namespace

// Counts every heap allocation in the process, so the benchmark shows what a lookup allocates:
// the resolver takes its name as a std::string, which a name too long to keep inline allocates.
void* operator new(std::size_t size) {
  ++heapAllocations;
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

void ChooseResolver(const benchmark::State& state) {
  framework::UseResolverProfile(state.range(0) == 0 ? framework::ResolverProfile::kFast
                                                    : framework::ResolverProfile::kRealCost);
}

void ReportAllocations(benchmark::State& state, std::size_t before) {
  state.counters["allocs/lookup"] = benchmark::Counter(
      static_cast<double>(heapAllocations - before) / static_cast<double>(state.iterations()));
}

// Lookups of name: written as a literal, which builds a std::string at each lookup (ready:0), or
// kept ready as the plugin keeps it (ready:1).
template <typename Lookup>
void TimeLookups(benchmark::State& state, const char* name, Lookup lookup) {
  ChooseResolver(state);
  const std::string ready = name;
  const std::size_t before = heapAllocations;
  if (state.range(1) == 1) {
    for (auto _ : state) benchmark::DoNotOptimize(lookup(ready));
  } else {
    for (auto _ : state) benchmark::DoNotOptimize(lookup(std::string(name)));
  }
  ReportAllocations(state, before);
}

void BM_ResolveFunction(benchmark::State& state) {
  game::Game game;
  TimeLookups(state, "AShooterPlayerController.GetUniqueNetIdAsUINT64",
              [](const std::string& name) { return GetAddress(name); });
}

void BM_ResolveField(benchmark::State& state) {
  game::Game game;
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  TimeLookups(state, "AActor.TargetingTeam",
              [dino](const std::string& name) { return GetAddress(dino, name); });
}

void BM_ResolveBitField(benchmark::State& state) {
  game::Game game;
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  TimeLookups(state, "APrimalDinoCharacter.bIsDestroyingDino", [dino](const std::string& name) {
    return GetNativeBitField<bool, uint32>(dino, name);
  });
}

// Each on the fast resolver and the real-cost one, with its name built or ready.
BENCHMARK(BM_ResolveFunction)->ArgNames({"real_cost", "ready"})->ArgsProduct({{0, 1}, {0, 1}});
BENCHMARK(BM_ResolveField)->ArgNames({"real_cost", "ready"})->ArgsProduct({{0, 1}, {0, 1}});
BENCHMARK(BM_ResolveBitField)->ArgNames({"real_cost", "ready"})->ArgsProduct({{0, 1}, {0, 1}});

}  // namespace

BENCHMARK_MAIN();
