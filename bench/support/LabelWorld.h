#pragma once

// The full server the label refresh is measured on: 70 players in 7 tribes of 10, each tracking
// 50 wild creatures and 50 of his tribe's creatures near him and showing his 9 tribe mates,
// under the shipped configuration, within whose ranges every entry lies: 7,000 creature labels
// and 630 mate labels per refresh. The plugin and the floor are given the same entries.

#include <nlohmann/json.hpp>
#include <string>

#include "support/BenchServer.h"
#include "support/FloorGame.h"
#include "support/FloorLabels.h"

namespace bench_support {

inline constexpr int kTribes = 7;
inline constexpr int kPlayersPerTribe = 10;
inline constexpr int kWildPerPlayer = 50;
inline constexpr int kTribeCreaturesPerPlayer = 50;
inline constexpr int kLabelsPerRefresh =
    kTribes * kPlayersPerTribe * (kWildPerPlayer + kTribeCreaturesPerPlayer + kPlayersPerTribe - 1);

class LabelWorld {
 public:
  // Throws when the floor cannot be set up for the configuration.
  explicit LabelWorld(nlohmann::json config = BenchServer::ShippedConfig());

  // One refresh of the plugin's three label updaters, in the host's order.
  void RefreshPlugin();
  void RefreshFloor();

  // Empty when the plugin draws every label and the floor draws exactly the same; otherwise
  // what went wrong.
  std::string Check();

 private:
  BenchServer server_;
  FloorGame game_;
  FloorLabels floor_;
};

}  // namespace bench_support
