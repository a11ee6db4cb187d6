#pragma once

// A long tick sends a player the same labels refresh after refresh. Text output prints the first
// line of such a run, and once it ends (another line for him, or the end of the command) how
// many more times it came:
// [4221] labels            to="alice" the same line 200 more times

#include <cstdint>
#include <string>
#include <vector>

namespace devserver {

class RepeatedRefreshes {
 public:
  // The lines to print for a player's refresh, summed up: none while it repeats his last.
  std::vector<std::string> Add(const std::string& player, std::uint64_t tick, std::string summary);
  // The ends of the runs that repeated; every player starts afresh.
  std::vector<std::string> TakeEnds();

 private:
  struct Run {
    std::string player;
    std::string summary;
    std::uint64_t lastTick = 0;
    std::size_t repeats = 0;
  };
  static std::string EndOf(const Run& run);

  std::vector<Run> runs_;  // in the order the players were first sent labels
};

}  // namespace devserver
