#pragma once

// The config.json files the soak writes: valid ones, varied from the scenario tests' base file,
// and broken ones the plugin must refuse. A valid file is also what the soak expects from the
// plugin while it is in force: command words, limits and the label refresh period.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

namespace soak {

using Json = nlohmann::ordered_json;

struct CommandWords {
  std::string trackDino, trackTribe, trackMates, findDino, stopTrack;
};

class SoakConfig {
 public:
  explicit SoakConfig(Json document) : document_(std::move(document)) {}

  // A variant of base that the plugin's checks accept, warnings allowed. Tracking wild and
  // tribe creatures stays enabled for the players' default group: the checkpoints rely on
  // those labels being drawn and pruned.
  static SoakConfig RandomValid(const Json& base, std::mt19937& random);

  const Json& Document() const { return document_; }
  CommandWords Words() const;
  // How many creatures a player in these permission groups may track at once.
  std::int32_t LimitFor(const std::vector<std::string>& groups) const;
  std::int32_t UpdatePeriod() const;

 private:
  Json document_;
};

// What the plugin runs with: the last valid file it read, and the label refresh period it
// started with (a reload leaves that one as it was).
struct ConfigInForce {
  SoakConfig config;
  std::int32_t refreshPeriod = 0;
};

// A file the plugin must refuse: not JSON at all, or JSON with errors its checks find.
std::string RandomBrokenConfig(const Json& base, std::mt19937& random);

}  // namespace soak
