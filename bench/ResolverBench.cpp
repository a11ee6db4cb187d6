// One name resolution: what every use of a game name costs the plugin, the name given as the
// literal the plugin writes, on the stand-in's fast resolver (/0) and on one priced as the real
// framework's (/1).

#include <API/ARK/Ark.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

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

void BM_ResolveFunction(benchmark::State& state) {
  ChooseResolver(state);
  game::Game game;
  const std::size_t before = heapAllocations;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetAddress("AShooterPlayerController.GetUniqueNetIdAsUINT64"));
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_ResolveFunction)->ArgName("real_cost")->Arg(0)->Arg(1);

void BM_ResolveField(benchmark::State& state) {
  ChooseResolver(state);
  game::Game game;
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  const std::size_t before = heapAllocations;
  for (auto _ : state) benchmark::DoNotOptimize(GetAddress(dino, "AActor.TargetingTeam"));
  ReportAllocations(state, before);
}
BENCHMARK(BM_ResolveField)->ArgName("real_cost")->Arg(0)->Arg(1);

void BM_ResolveBitField(benchmark::State& state) {
  ChooseResolver(state);
  game::Game game;
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  const std::size_t before = heapAllocations;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        GetNativeBitField<bool, uint32>(dino, "APrimalDinoCharacter.bIsDestroyingDino"));
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_ResolveBitField)->ArgName("real_cost")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
