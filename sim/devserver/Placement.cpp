#include "devserver/Placement.h"

#include <algorithm>

namespace devserver {

std::optional<Box> Placement::Place(const std::vector<Box>& candidates) {
  for (const auto& candidate : candidates) {
    if (!candidate.Inside(area_)) continue;
    const bool free = std::none_of(taken_.begin(), taken_.end(),
                                   [&](const Box& box) { return box.Overlaps(candidate); });
    if (free) {
      taken_.push_back(candidate);
      return candidate;
    }
  }
  return std::nullopt;
}

}  // namespace devserver
