#pragma once

// The floor of FindDinos: the same game calls in the same order over every creature of the
// world, each field read directly, and the list written into one reused text. The actors are
// walked in the game's array, which the plugin copies into a list of its own; each name's UTF-8
// bytes are widened as it is written, where the plugin encodes the finished list through the
// framework: the same text.

#include <string_view>
#include <vector>

#include "support/FloorCommand.h"
#include "support/FloorGame.h"
#include "support/FloorText.h"

namespace bench_support {

class FloorFindDinos {
 public:
  explicit FloorFindDinos(const FloorGame& game);

  void Run(AShooterPlayerController* controller, std::u16string_view line);
  // The creatures the last run examined.
  std::size_t Visited() const { return visited_; }

 private:
  struct Listed {
    const FString* name;
    int32 level;
    FVector location;
  };

  void Examine(AActor* actor, UClass* dinoClass, const FloorRequest& request);
  void SendList(AShooterPlayerController* controller, UWorld* world);

  const FloorGame& game_;
  FloorCommand command_;
  FloorText text_;
  const FString noneFound_;
  std::vector<Listed> listed_;
  std::size_t visited_ = 0;
};

}  // namespace bench_support
