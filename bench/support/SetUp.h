#pragma once

// Building what a benchmark runs on, when that may fail.

#include <benchmark/benchmark.h>

#include <exception>
#include <memory>
#include <utility>

namespace bench_support {

// None when it cannot be built: the benchmark is then skipped with the reason.
template <typename T, typename... Args>
std::unique_ptr<T> MakeOrSkip(benchmark::State& state, Args&&... args) {
  try {
    return std::make_unique<T>(std::forward<Args>(args)...);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return nullptr;
  }
}

}  // namespace bench_support
