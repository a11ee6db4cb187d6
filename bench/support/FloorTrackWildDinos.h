#pragma once

// The floor of TrackWildDinos: the same overlap queries, each distinct actor tested once (one
// already seen in a smaller ring is skipped by walking that ring's result alongside: results
// come in spawn order and each ring's result holds the smaller ring's), fields read directly,
// and what it takes recorded in its own list. Each ring's result is walked in the game's array,
// which the plugin copies into a list of its own.

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "support/FloorCommand.h"
#include "support/FloorGame.h"

namespace bench_support {

class FloorTrackWildDinos {
 public:
  explicit FloorTrackWildDinos(const FloorGame& game);

  void Run(AShooterPlayerController* controller, std::u16string_view line);

  // The creatures recorded, in order.
  std::vector<APrimalDinoCharacter*> Recorded() const;
  // Drops every record and count: a fresh start.
  void Forget();
  // The distinct actors the last run tested.
  std::size_t Visited() const { return visited_; }

 private:
  struct Record {
    FWeakObjectPtr tracker;
    FWeakObjectPtr creature;
  };
  // Fills taken_ with what the search around the player takes.
  void Search(AShooterPlayerController* controller, const FloorRequest& request, int32 freeSlots);

  const FloorGame& game_;
  FloorCommand command_;
  std::vector<Record> records_;
  std::unordered_map<uint64, int32> counts_;  // records per player
  std::vector<APrimalDinoCharacter*> taken_;  // by the last run, reused
  std::size_t visited_ = 0;
};

}  // namespace bench_support
