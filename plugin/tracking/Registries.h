#pragma once

// Who tracks what: three registries of tracking entries and the per-player counts that hold a
// player to his limit. Entries hold weak references, so an entry never leads to an object
// that is gone or to another object that took its memory.

#include <cstddef>
#include <list>
#include <map>

#include "host/Game.h"
#include "host/WeakRef.h"

namespace packsentinel {

struct DinoTrackEntry {
  host::WeakRef<AShooterPlayerController> tracker;
  host::WeakRef<APrimalDinoCharacter> creature;
  // The player the entry is counted for; his slot comes back even when his controller is gone.
  std::uint64_t trackerId = 0;
};

struct MemberTrackEntry {
  host::WeakRef<AShooterPlayerController> tracker;
  // The player the entry is held for, whichever of his controllers made it.
  std::uint64_t trackerId = 0;
};

using DinoTrackList = std::list<DinoTrackEntry>;
using MemberTrackList = std::list<MemberTrackEntry>;

extern DinoTrackList WildDinoTrackers;
extern DinoTrackList TribeDinoTrackers;
extern MemberTrackList TribeMemberTrackers;
// Player id to the number of creature entries he owns in both creature registries.
extern std::map<std::uint64_t, std::int32_t> TrackCounts;

// Appends (tracker, creature) and counts it for the tracker.
void AppendDinoEntry(DinoTrackList& registry, AShooterPlayerController* tracker,
                     APrimalDinoCharacter* creature);
// Each member entry draws its own labels, so repeated entries cost every refresh: a player holds
// at most kMemberEntriesPerPlayer, counted over all his controllers (one left behind by a
// reconnection keeps drawing), and one more is not recorded.
inline constexpr std::ptrdiff_t kMemberEntriesPerPlayer = 10;
void AppendMemberEntry(AShooterPlayerController* tracker);

// Removes every entry counted for the player's id and gives back one slot per entry.
void RemovePlayerDinoEntries(DinoTrackList& registry, AShooterPlayerController* player);
// Removes every member entry of that very controller.
void RemoveControllerMemberEntries(AShooterPlayerController* controller);
// Removes every member entry held for the controller's player, from any of his controllers.
void RemovePlayerMemberEntries(AShooterPlayerController* controller);
// Drops one entry during a refresh walk, giving back its slot; returns the entry after it.
DinoTrackList::iterator DropDinoEntry(DinoTrackList& registry, DinoTrackList::iterator entry);

void AddTrackedItem(AShooterPlayerController* controller);
void RemoveTrackedItem(AShooterPlayerController* controller);
void RemoveTrackedItem(std::uint64_t playerId);
std::int32_t RemainingTrackSlots(AShooterPlayerController* controller);
bool IsTrackLimitReached(AShooterPlayerController* controller);
void ResetTrackCount(std::uint64_t playerId);

}  // namespace packsentinel
