#include "tracking/TribeMemberLabels.h"

#include <json.hpp>
#include <optional>
#include <vector>

#include "config/LabelDurations.h"
#include "config/Schema.h"
#include "core/Config.h"
#include "core/Lifecycle.h"
#include "host/Framework.h"
#include "tracking/LabelText.h"
#include "tracking/MateStates.h"
#include "tracking/Refresh.h"
#include "tracking/Registries.h"
#include "tracking/TrackerStates.h"

namespace packsentinel {

std::int32_t MemberLabelTickCount = 0;

namespace {

// Opaque green, ARGB: a mate's label in the tribe's colour, as the tribe's creatures' labels are.
constexpr host::PackedColour kLabelColour{0xFF35C211};

class MemberLabels {
 public:
  explicit MemberLabels(const nlohmann::json& section)
      : range_(section, schema::kTrackTribeMembers.ranges.maxIsFarthestLabel),
        duration_(MemberLabelDuration(TextUpdatePeriod)) {}

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
      MateState& mate = mates_.Of(host::GetShooterGameMode(), member);
      // No label over himself.
      if (mate.playerId == trackerId || !trackerPresent) continue;
      AShooterCharacter* mateCharacter = mates_.PresentCharacter(mate);
      if (mateCharacter == nullptr) continue;
      const std::int32_t metres =
          DistanceInMetres(host::GetDistanceTo(mateCharacter, trackerCharacter));
      if (!range_.Admits(metres)) continue;
      Send(tracker, mate, metres);
    }
  }

 private:
  void Send(AShooterPlayerController* tracker, MateState& mate, std::int32_t metres) {
    if (!labelTemplate_) {
      labelTemplate_.emplace(GetFloatingText(schema::kTrackTribeMembersText),
                             schema::kTrackTribeMembersText.placeholders);
    }
    mates_.ReadLabelParts(mate);
    const DecimalText distance(metres);
    const host::TextView values[] = {mate.name.View(), distance.Digits()};
    labelTemplate_->Fill(values, text_);
    sent_.Assign(text_);
    // The client's label as players know it: scaled 0.2 by 0.2, not moving, a smallest scale of
    // 1.5, neither faded in nor out.
    const host::Vector still{0.f, 0.f, 0.f};
    host::ClientAddFloatingText(tracker, *mate.labelAt, sent_, kLabelColour, 0.2f, 0.2f, duration_,
                                still, 1.5f, 0.f, 0.f);
  }

  const RangeRule range_;
  const float duration_;
  std::optional<LabelTemplate> labelTemplate_;  // looked up once, by the first label sent
  host::String text_;                           // every label of the refresh is written here,
  host::GameText sent_;                         // and sent from here
  std::vector<std::uint32_t> members_;  // the tracker's tribe, reused from tracker to tracker
  MateStates mates_;
};

bool IsTrackerGone(AShooterPlayerController* /*tracker*/, AShooterCharacter* character) {
  return character == nullptr || host::IsDead(character) || !host::IsConnected(character);
}

}  // namespace

void TribeMemberLabelUpdater(float /*deltaSeconds*/) {
  auto section = BeginRefresh(MemberLabelTickCount, schema::kTrackTribeMembers);
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
