#include "devserver/RepeatedRefreshes.h"

#include <fmt/format.h>

#include <algorithm>
#include <iterator>

#include "devserver/EventFormat.h"

namespace devserver {

std::string RepeatedRefreshes::EndOf(const Run& run) {
  return RefreshLine(
      run.lastTick, run.player,
      fmt::format("the same line {} more time{}", run.repeats, run.repeats == 1 ? "" : "s"));
}

std::vector<std::string> RepeatedRefreshes::Add(const std::string& player, std::uint64_t tick,
                                                std::string summary) {
  auto run = std::find_if(runs_.begin(), runs_.end(),
                          [&player](const Run& known) { return known.player == player; });
  if (run != runs_.end() && run->summary == summary) {
    ++run->repeats;
    run->lastTick = tick;
    return {};
  }
  std::vector<std::string> lines;
  if (run == runs_.end()) {
    runs_.push_back({player, {}, tick, 0});
    run = std::prev(runs_.end());
  } else if (run->repeats > 0) {
    lines.push_back(EndOf(*run));
  }
  lines.push_back(RefreshLine(tick, player, summary));
  *run = {player, std::move(summary), tick, 0};
  return lines;
}

std::vector<std::string> RepeatedRefreshes::TakeEnds() {
  std::vector<std::string> lines;
  for (const auto& run : runs_) {
    if (run.repeats > 0) lines.push_back(EndOf(run));
  }
  runs_.clear();
  return lines;
}

}  // namespace devserver
