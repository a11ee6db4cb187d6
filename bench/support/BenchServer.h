#pragma once

// The set-up every benchmark shares: a game with a configuration in force and the stand-in's
// output only counted, so that a benchmark measures the plugin rather than the stand-in's
// bookkeeping. The plugin's state is cleared when it ends, ready for the next benchmark.

#include <API/ARK/Ark.h>

#include <nlohmann/json.hpp>
#include <string>

#include "game/Game.h"

namespace bench_support {

// The map the searches run on: this many creatures spread over a square of this half-width.
constexpr int kWorldCreatures = 50000;
constexpr float kMapHalfWidth = 400000.f;

// The TrackWildDinos command alone, searching outward over the whole map for up to ten
// creatures, with the replies it sends.
inline constexpr const char* kTrackWildDinosConfig = R"({
  "Commands": {"TrackWildDinos": {"Command": "/trackdino", "Enabled": true,
    "AllowedGroups": ["Default"], "MaxTrackRange": 0, "MinTrackRange": 0}},
  "MaxTrackPerPlayer": 10,
  "UpdateTextEvery": 0,
  "Messages": {"MessageSender": "Packsentinel",
    "TrackLimitReached": "You already track as many creatures as you may.",
    "TrackingDinosNoLevel": "Tracking {} near you. You may track {} creatures at once.",
    "NoDinosFound": "No wild creature called {} is near you."},
  "FloatingTexts": {"TrackWildDinosText": "{dinoName} {dinoLevel} {dinoDistance}m"}
})";

class BenchServer {
 public:
  explicit BenchServer(nlohmann::json config);
  ~BenchServer();
  BenchServer(const BenchServer&) = delete;
  BenchServer& operator=(const BenchServer&) = delete;

  // config/config.json as shipped.
  static nlohmann::json ShippedConfig();

  game::Game& Game() { return game_; }

  // Objects as the plugin sees them.
  AShooterPlayerController* AddPlayer(const game::PlayerSpec& setup);
  // A player of the Default group at the origin, his data id his steam id.
  AShooterPlayerController* AddPlayer(const std::string& name, uint64 steamId);
  APrimalDinoCharacter* SpawnDino(const game::DinoSpec& setup);

  // Creatures at random levels, spread over a square of the given half-width around the origin.
  void Populate(int count, const std::string& name, float spread, unsigned seed, int32 team = 0);

 private:
  game::Game game_;
};

}  // namespace bench_support
