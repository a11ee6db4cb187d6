#pragma once

// The plugin and its floor timed in one run: both in every iteration, in alternating order,
// each on its own clock, so that both meet the same machine and the same caches. The plugin's
// time is the iteration's time (register with UseManualTime); the counters "plugin" and "floor"
// are the medians of the per-iteration times, in seconds, and "ratio" is plugin over floor.

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace bench_support {

class PairedTimes {
 public:
  void Add(double pluginSeconds, double floorSeconds);
  void Report(benchmark::State& state) const;

 private:
  std::vector<double> plugin_;
  std::vector<double> floor_;
};

template <typename Work>
double SecondsOf(Work& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// afterBoth runs untimed at the end of each iteration, to put the world back for the next.
template <typename Plugin, typename Floor, typename AfterBoth>
void TimePaired(benchmark::State& state, Plugin&& plugin, Floor&& floor, AfterBoth&& afterBoth) {
  PairedTimes times;
  bool pluginFirst = true;
  for (auto _ : state) {
    double pluginSeconds = 0;
    double floorSeconds = 0;
    if (pluginFirst) {
      pluginSeconds = SecondsOf(plugin);
      floorSeconds = SecondsOf(floor);
    } else {
      floorSeconds = SecondsOf(floor);
      pluginSeconds = SecondsOf(plugin);
    }
    pluginFirst = !pluginFirst;
    afterBoth();
    state.SetIterationTime(pluginSeconds);
    times.Add(pluginSeconds, floorSeconds);
  }
  times.Report(state);
}

template <typename Plugin, typename Floor>
void TimePaired(benchmark::State& state, Plugin&& plugin, Floor&& floor) {
  TimePaired(state, plugin, floor, [] {});
}

}  // namespace bench_support
