#include "support/PairedTiming.h"

#include <algorithm>

namespace bench_support {
namespace {

double Median(std::vector<double> values) {
  const std::size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + middle, values.end());
  if (values.size() % 2 == 1) return values[middle];
  const double below = *std::max_element(values.begin(), values.begin() + middle);
  return (below + values[middle]) / 2;
}

}  // namespace

void PairedTimes::Add(double pluginSeconds, double floorSeconds) {
  plugin_.push_back(pluginSeconds);
  floor_.push_back(floorSeconds);
}

void PairedTimes::Report(benchmark::State& state) const {
  if (plugin_.empty()) return;
  const double plugin = Median(plugin_);
  const double floor = Median(floor_);
  state.counters["plugin"] = plugin;
  state.counters["floor"] = floor;
  state.counters["ratio"] = plugin / floor;
}

}  // namespace bench_support
