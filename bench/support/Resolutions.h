#pragma once

// Name resolutions (every GetAddress and GetBitField lookup) that a piece of work makes.

#include <cstdint>

#include "framework/Names.h"

namespace bench_support {

template <typename Work>
std::uint64_t ResolutionsOf(Work&& work) {
  const std::uint64_t before = framework::ResolutionCount();
  work();
  return framework::ResolutionCount() - before;
}

}  // namespace bench_support
