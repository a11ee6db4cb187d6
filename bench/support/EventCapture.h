#pragma once

// What the plugin and a floor make the game do, as events, so that the two can be compared.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Events.h"

namespace bench_support {

// Runs the work with every event recorded and returns them; afterwards events are only counted.
std::vector<framework::Event> RecordEvents(const std::function<void()>& work);

// Empty when the two lists are equal; otherwise where and how they first differ.
std::string DescribeDifference(const std::vector<framework::Event>& plugin,
                               const std::vector<framework::Event>& floor);

// Runs the plugin's work and the floor's once each, recorded. True when both made the same
// events, and some; otherwise the benchmark is skipped with the difference.
bool SameEvents(benchmark::State& state, const std::function<void()>& plugin,
                const std::function<void()>& floor);

// How many of the events are labels (debug strings and floating texts).
std::size_t CountLabels(const std::vector<framework::Event>& events);

}  // namespace bench_support
