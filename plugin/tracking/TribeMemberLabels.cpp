#include "tracking/TribeMemberLabels.h"

#include <optional>
#include <vector>

#include "config/Schema.h"
#include "core/Config.h"
#include "core/Lifecycle.h"
#include "host/Framework.h"
#include "tracking/LabelText.h"
#include "tracking/Refresh.h"
#include "tracking/Registries.h"
#include "tracking/TrackerStates.h"

namespace packsentinel {

std::int32_t MemberLabelTickCount = 0;

namespace {

constexpr host::PackedColour kLabelColour{0xFF35C211};

bool IsPresent(AShooterPlayerController* controller, AShooterCharacter* character) {
  return !host::IsRespawning(controller) && !host::IsDead(character) &&
         host::IsConnected(character);
}

// The mate's player id; an id the game mode does not know yet is looked up among the online
// controllers and recorded with the game mode (0 when nobody online has it).
std::uint64_t PlayerIdOfMember(AShooterGameMode* gameMode, std::uint32_t memberId) {
  const auto dataId = static_cast<std::int32_t>(memberId);
  std::uint64_t playerId = host::GetSteamIdForPlayerId(gameMode, dataId);
  if (playerId != 0) return playerId;
  const auto linkedId = static_cast<std::uint64_t>(static_cast<std::int64_t>(dataId));
  std::vector<AShooterPlayerController*> controllers;
  host::GetPlayerControllers(host::GetWorld(), controllers);
  for (AShooterPlayerController* controller : controllers) {
    if (controller != nullptr && host::GetLinkedPlayerId(controller) == linkedId) {
      playerId = host::GetPlayerId(controller);
      break;
    }
  }
  host::AddPlayerId(gameMode, dataId, playerId);
  return playerId;
}

class MemberLabels {
 public:
  explicit MemberLabels(const nlohmann::json& section)
      : range_(section, true), duration_(MemberLabelDuration(TextUpdatePeriod)) {}

  void DrawFor(AShooterPlayerController* tracker, AShooterCharacter* trackerCharacter) {
    AShooterPlayerState* state = host::GetPlayerState(tracker);
    if (state == nullptr) return;  // no tribe to show
    // A copy: looking a mate up may change what the game holds.
    host::GetTribeMemberIds(state, members_);
    const std::uint64_t trackerId = host::GetPlayerId(tracker);
    // A respawning tracker keeps his entry but sees nobody; his mates' ids are still looked up.
    // His entry was kept, so he is alive and connected: only respawning is left to ask.
    const bool trackerPresent = !host::IsRespawning(tracker);
    for (const std::uint32_t member : members_) {
      const std::uint64_t playerId = PlayerIdOfMember(host::GetShooterGameMode(), member);
      // No label over himself.
      if (playerId == trackerId || !trackerPresent) continue;
      AShooterPlayerController* mate = host::FindPlayerFromSteamId(playerId);
      if (mate == nullptr) continue;
      AShooterCharacter* mateCharacter = host::GetPlayerCharacter(mate);
      if (mateCharacter == nullptr || !IsPresent(mate, mateCharacter)) continue;
      const std::int32_t metres =
          DistanceInMetres(host::GetDistanceTo(mateCharacter, trackerCharacter));
      if (!range_.Admits(metres)) continue;
      Send(tracker, mate, mateCharacter, metres);
    }
  }

 private:
  void Send(AShooterPlayerController* tracker, AShooterPlayerController* mate,
            AShooterCharacter* mateCharacter, std::int32_t metres) {
    if (!labelTemplate_) {
      labelTemplate_.emplace(GetFloatingText("TrackTribeMembersText"),
                             schema::kTribeMemberLabelPlaceholders);
    }
    const host::Vector at = host::GetPawnViewLocation(mateCharacter, false);
    host::GameText name;
    host::GetPlayerCharacterName(mate, name);
    const DecimalText distance(metres);
    const host::TextView values[] = {name.View(), distance.Digits()};
    labelTemplate_->Fill(values, text_);
    sent_.Assign(text_);
    const host::Vector still{0.f, 0.f, 0.f};
    host::ClientAddFloatingText(tracker, at, sent_, kLabelColour, 0.2f, 0.2f, duration_, still,
                                1.5f, 0.f, 0.f);
  }

  const RangeRule range_;
  const float duration_;
  std::optional<LabelTemplate> labelTemplate_;  // looked up once, by the first label sent
  host::String text_;                           // every label of the refresh is written here,
  host::GameText sent_;                         // and sent from here
  std::vector<std::uint32_t> members_;  // the tracker's tribe, reused from tracker to tracker
};

bool IsTrackerGone(AShooterPlayerController* /*tracker*/, AShooterCharacter* character) {
  return character == nullptr || host::IsDead(character) || !host::IsConnected(character);
}

}  // namespace

void TribeMemberLabelUpdater(float /*deltaSeconds*/) {
  auto section = BeginRefresh(MemberLabelTickCount, "TrackTribeMembers");
  if (!section) return;

  MemberLabels labels(*section);
  TrackerStates trackers(IsTrackerGone);
  for (auto entry = TribeMemberTrackers.begin(); entry != TribeMemberTrackers.end();) {
    const TrackerState& tracker = trackers.Of(entry->tracker);
    if (tracker.gone) {
      entry = TribeMemberTrackers.erase(entry);
      continue;
    }
    labels.DrawFor(tracker.controller, tracker.character);
    ++entry;
  }
}

}  // namespace packsentinel
