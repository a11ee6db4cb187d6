#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "game/SpatialIndex.h"

namespace {

constexpr std::size_t kItemCount = 50000;

// Actors spread the way a populated map spreads them: wide in X/Y, shallow in Z.
std::vector<FVector> WorldPositions(std::size_t count, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> across(-400000.f, 400000.f);
  std::uniform_real_distribution<float> height(-3000.f, 3000.f);
  std::vector<FVector> positions(count);
  for (FVector& at : positions) at = {across(rng), across(rng), height(rng)};
  return positions;
}

void BM_Insert50k(benchmark::State& state) {
  const std::vector<FVector> positions = WorldPositions(kItemCount, 1);
  std::vector<int> items(kItemCount);
  for (auto _ : state) {
    game::SpatialIndex index;
    for (std::size_t i = 0; i < kItemCount; ++i) index.Insert(&items[i], positions[i]);
    benchmark::DoNotOptimize(index.Size());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kItemCount));
}
BENCHMARK(BM_Insert50k)->Unit(benchmark::kMillisecond);

void BM_QueryIn50kWorld(benchmark::State& state) {
  const auto radius = static_cast<float>(state.range(0));
  const std::vector<FVector> positions = WorldPositions(kItemCount, 1);
  std::vector<int> items(kItemCount);
  game::SpatialIndex index;
  for (std::size_t i = 0; i < kItemCount; ++i) index.Insert(&items[i], positions[i]);

  const std::vector<FVector> centres = WorldPositions(1024, 2);
  std::vector<void*> found;
  std::size_t next = 0;
  std::size_t totalFound = 0;
  for (auto _ : state) {
    found.clear();
    index.Query(centres[next++ % centres.size()], radius, found);
    totalFound += found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["found/query"] =
      static_cast<double>(totalFound) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_QueryIn50kWorld)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(10240000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
