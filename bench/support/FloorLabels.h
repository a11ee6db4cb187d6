#pragma once

// The floor of the label refresh: what the three label updaters do (drop tests, distance, range,
// text, draw), done directly on the game with the same game calls in the same order, for the
// label templates of the shipped configuration. A mate's id unknown to the game mode is looked
// up in the world's controller list in place, where the plugin first copies the whole list out.

#include <optional>
#include <unordered_map>
#include <vector>

#include "support/FloorGame.h"
#include "support/FloorSettings.h"
#include "support/FloorText.h"

namespace bench_support {

class FloorLabels {
 public:
  // Throws when the configured label templates are not the ones it writes.
  explicit FloorLabels(const FloorGame& game);

  void TrackWild(AShooterPlayerController* tracker, APrimalDinoCharacter* creature);
  void TrackTribe(AShooterPlayerController* tracker, APrimalDinoCharacter* creature);
  void ShowMates(AShooterPlayerController* tracker);

  // One refresh of all three, in the host's order: tribe mates, tribe creatures, wild creatures.
  // An entry whose creature or tracker is gone is dropped. The period (in ticks) sets how long
  // the labels stay.
  void Refresh(int32 period);

 private:
  struct CreatureEntry {
    FWeakObjectPtr tracker;
    FWeakObjectPtr creature;
  };

  // What a mates' refresh reads of each mate, once.
  struct Mate {
    uint64 playerId = 0;
    bool looked = false;  // whether the controller and character were read
    AShooterPlayerController* controller = nullptr;
    AShooterCharacter* character = nullptr;  // none: no label over him
    FVector at;
    std::optional<ReturnedText> name;  // with `at`, read at his first label
  };

  void RefreshMates(int32 period);
  // Player id to online controller, the last of the world's list with the id; read by the
  // first mate a refresh looks up.
  using Controllers = std::optional<std::unordered_map<uint64, AShooterPlayerController*>>;

  void DrawMatesOf(AShooterPlayerController* tracker, AShooterCharacter* trackerCharacter,
                   AShooterGameMode* gameMode, const TrackRange& range, float duration,
                   std::unordered_map<uint32, Mate>& mates, Controllers& controllers);
  AShooterPlayerController* ControllerOf(uint64 playerId, Controllers& controllers) const;
  uint64 PlayerIdOfMember(AShooterGameMode* gameMode, uint32 memberId) const;
  bool IsPresent(AShooterPlayerController* controller, AShooterCharacter* character) const;
  // The walk both creature registries share; the kinds differ in their drop test and text.
  template <typename IsCreatureGone, typename IsTrackerGone, typename WriteText>
  void RefreshCreatures(std::vector<CreatureEntry>& entries, const char* commandKey,
                        bool upperBound, const FLinearColor& colour, int32 period,
                        IsCreatureGone isCreatureGone, IsTrackerGone isTrackerGone,
                        WriteText writeText);
  // Gone, or no longer what the search selected: wild, or of the tracker's tribe.
  bool IsWildCreatureGone(APrimalDinoCharacter* creature, AShooterPlayerController* tracker) const;
  bool IsWildTrackerGone(AShooterPlayerController* tracker,
                         AShooterCharacter* trackerCharacter) const;
  bool IsTribeCreatureGone(APrimalDinoCharacter* creature, AShooterPlayerController* tracker) const;
  bool IsTribeTrackerGone(AShooterPlayerController* tracker,
                          AShooterCharacter* trackerCharacter) const;
  void WriteWildText(APrimalDinoCharacter* creature, int32 metres);
  void WriteTribeText(APrimalDinoCharacter* creature, int32 metres);
  int32 Metres(AActor* from, AActor* to) const;

  const FloorGame& game_;
  FloorText text_;
  std::vector<CreatureEntry> wild_;
  std::vector<CreatureEntry> tribe_;
  std::vector<FWeakObjectPtr> mateTrackers_;
  std::vector<uint32> memberIds_;  // reused by every tracker
};

}  // namespace bench_support
