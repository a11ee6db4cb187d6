// The stand-in world at the scale of a busy map: spawning 50,000 creatures, and one overlap
// query around a player, through its name as a plugin makes it.

#include <API/ARK/Ark.h>
#include <benchmark/benchmark.h>

#include <random>

#include "game/Game.h"

namespace {

void SpawnCreatures(game::Game& world, int count) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> place(-400000.f, 400000.f);
  for (int i = 0; i < count; ++i)
    world.SpawnDino({"", "Dodo", 1, 0, {place(random), place(random), 0}});
}

void BM_Spawn50000Creatures(benchmark::State& state) {
  for (auto _ : state) {
    game::Game world;
    SpawnCreatures(world, 50000);
    benchmark::DoNotOptimize(world.Dinos().size());
  }
}
BENCHMARK(BM_Spawn50000Creatures)->Unit(benchmark::kMillisecond);

void BM_OverlapQuery(benchmark::State& state) {
  game::Game world;
  SpawnCreatures(world, 50000);
  const float radius = static_cast<float>(state.range(0));
  std::int64_t found = 0;
  for (auto _ : state) {
    TArray<AActor*> result;
    NativeCall<TArray<AActor*>*, TArray<AActor*>*, UWorld*, FVector, float, int32, bool>(
        nullptr, "UVictoryCore.ServerOctreeOverlapActors", &result,
        ArkApi::GetApiUtils().GetWorld(), FVector(1000.f, -2000.f, 0.f), radius,
        EServerOctreeGroup::DINOPAWNS, true);
    found += result.Num();
    world.TakeOverlapQueries();
  }
  state.counters["found"] = benchmark::Counter(static_cast<double>(found) / state.iterations());
}
// From a few creatures, through the radii where the query turns from its grid to a walk of every
// creature, to the whole map.
BENCHMARK(BM_OverlapQuery)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(150000)
    ->Arg(200000)
    ->Arg(300000)
    ->Arg(10240000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
