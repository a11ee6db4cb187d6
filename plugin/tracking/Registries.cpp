#include "tracking/Registries.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "commands/TrackLimit.h"
#include "host/Entry.h"

namespace packsentinel {

// Constructed before the attach notification runs and destroyed after detach.
HOST_BUILT_BEFORE_ATTACH DinoTrackList WildDinoTrackers;
HOST_BUILT_BEFORE_ATTACH DinoTrackList TribeDinoTrackers;
HOST_BUILT_BEFORE_ATTACH MemberTrackList TribeMemberTrackers;
HOST_BUILT_BEFORE_ATTACH std::map<std::uint64_t, std::int32_t> TrackCounts;

void AppendDinoEntry(DinoTrackList& registry, AShooterPlayerController* tracker,
                     APrimalDinoCharacter* creature) {
  registry.push_back({host::WeakRef<AShooterPlayerController>(tracker),
                      host::WeakRef<APrimalDinoCharacter>(creature), host::GetPlayerId(tracker)});
  AddTrackedItem(tracker);
}

namespace {

// Whether a member entry is that very controller's.
auto MadeBy(const host::WeakRef<AShooterPlayerController>& self) {
  return [&self](const MemberTrackEntry& entry) { return entry.tracker.SameObjectAs(self); };
}

// Whether a member entry is held for that player.
auto HeldFor(std::uint64_t playerId) {
  return [playerId](const MemberTrackEntry& entry) { return entry.trackerId == playerId; };
}

}  // namespace

void AppendMemberEntry(AShooterPlayerController* tracker) {
  const std::uint64_t id = host::GetPlayerId(tracker);
  const auto held =
      std::count_if(TribeMemberTrackers.begin(), TribeMemberTrackers.end(), HeldFor(id));
  if (held >= kMemberEntriesPerPlayer) return;
  TribeMemberTrackers.push_back({host::WeakRef<AShooterPlayerController>(tracker), id});
}

void RemovePlayerDinoEntries(DinoTrackList& registry, AShooterPlayerController* player) {
  const std::uint64_t id = host::GetPlayerId(player);
  for (auto entry = registry.begin(); entry != registry.end();) {
    if (entry->trackerId == id) {
      entry = registry.erase(entry);
      RemoveTrackedItem(player);
    } else {
      ++entry;
    }
  }
}

void RemoveControllerMemberEntries(AShooterPlayerController* controller) {
  const host::WeakRef<AShooterPlayerController> self(controller);
  TribeMemberTrackers.remove_if(MadeBy(self));
}

void RemovePlayerMemberEntries(AShooterPlayerController* controller) {
  TribeMemberTrackers.remove_if(HeldFor(host::GetPlayerId(controller)));
}

DinoTrackList::iterator DropDinoEntry(DinoTrackList& registry, DinoTrackList::iterator entry) {
  const std::uint64_t id = entry->trackerId;
  auto next = registry.erase(entry);
  RemoveTrackedItem(id);
  return next;
}

void AddTrackedItem(AShooterPlayerController* controller) {
  if (controller == nullptr) return;
  ++TrackCounts[host::GetPlayerId(controller)];
}

void RemoveTrackedItem(AShooterPlayerController* controller) {
  if (controller == nullptr) return;
  RemoveTrackedItem(host::GetPlayerId(controller));
}

void RemoveTrackedItem(std::uint64_t playerId) {
  const auto count = TrackCounts.find(playerId);
  if (count != TrackCounts.end()) --count->second;
}

namespace {

// A player without an entry tracks nothing: every limit test reads him so, whatever came before.
std::int32_t CountOf(AShooterPlayerController* controller) {
  const auto count = TrackCounts.find(host::GetPlayerId(controller));
  return count == TrackCounts.end() ? 0 : count->second;
}

}  // namespace

std::int32_t RemainingTrackSlots(AShooterPlayerController* controller) {
  if (controller == nullptr) return 0;
  const std::int64_t remaining = std::int64_t{GetTrackLimit(controller)} - CountOf(controller);
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(remaining, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()));
}

bool IsTrackLimitReached(AShooterPlayerController* controller) {
  if (controller == nullptr) return true;
  return CountOf(controller) >= GetTrackLimit(controller);
}

void ResetTrackCount(std::uint64_t playerId) {
  const auto count = TrackCounts.find(playerId);
  if (count != TrackCounts.end()) count->second = 0;
}

}  // namespace packsentinel
