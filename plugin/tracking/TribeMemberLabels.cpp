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

namespace packsentinel {

int32 MemberLabelTickCount = 0;

namespace {

constexpr host::PackedColour kLabelColour{0xFF35C211};

bool IsPresent(AShooterPlayerController* controller, AShooterCharacter* character) {
  return !host::IsRespawning(controller) && !host::IsDead(character) &&
         host::IsConnected(character);
}

// The mate's player id; an id the game mode does not know yet is looked up among the online
// controllers and recorded with the game mode (0 when nobody online has it).
uint64 PlayerIdOfMember(AShooterGameMode* gameMode, uint32 memberId) {
  const auto dataId = static_cast<int32>(memberId);
  uint64 playerId = host::GetSteamIdForPlayerId(gameMode, dataId);
  if (playerId != 0) return playerId;
  const auto linkedId = static_cast<uint64>(static_cast<int64>(dataId));
  for (APlayerController* each : host::GetPlayerControllers(host::GetGameWorld())) {
    auto* controller = static_cast<AShooterPlayerController*>(each);
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
    const auto& ids = host::GetTribeMemberIds(state);
    // A copy: looking a mate up may change what the game holds.
    members_.assign(ids.begin(), ids.end());
    const uint64 trackerId = host::GetPlayerId(tracker);
    // A respawning tracker keeps his entry but sees nobody; his mates' ids are still looked up.
    const bool trackerPresent = IsPresent(tracker, trackerCharacter);
    for (const uint32 member : members_) {
      const uint64 playerId = PlayerIdOfMember(host::GetGameModeObject(), member);
      // No label over himself.
      if (playerId == trackerId || !trackerPresent) continue;
      AShooterPlayerController* mate = host::FindControllerBySteamId(playerId);
      if (mate == nullptr) continue;
      AShooterCharacter* mateCharacter = host::GetPlayerCharacter(mate);
      if (mateCharacter == nullptr || !IsPresent(mate, mateCharacter)) continue;
      const int32 metres = DistanceInMetres(mateCharacter, trackerCharacter);
      if (!range_.Admits(metres)) continue;
      Send(tracker, mate, mateCharacter, metres);
    }
  }

 private:
  void Send(AShooterPlayerController* tracker, AShooterPlayerController* mate,
            AShooterCharacter* mateCharacter, int32 metres) {
    if (!labelTemplate_) {
      labelTemplate_.emplace(host::View(GetFloatingText("TrackTribeMembersText")),
                             schema::kTribeMemberLabelPlaceholders);
    }
    const FVector at = host::GetPawnViewLocation(mateCharacter, false);
    const FString name = host::GetPlayerCharacterName(mate);
    const DecimalText distance(metres);
    const host::TextView values[] = {host::View(name), distance.Digits()};
    labelTemplate_->Fill(values, text_);
    const FVector still{0.f, 0.f, 0.f};
    host::ClientAddFloatingText(tracker, at, text_, kLabelColour, 0.2f, 0.2f, duration_, still,
                                1.5f, 0.f, 0.f);
  }

  const RangeRule range_;
  const float duration_;
  std::optional<LabelTemplate> labelTemplate_;  // looked up once, by the first label sent
  FString text_;                                // every label of the refresh is written here
  std::vector<uint32> members_;  // the tracker's tribe, reused from tracker to tracker
};

}  // namespace

void TribeMemberLabelUpdater(float /*deltaSeconds*/) {
  auto section = BeginRefresh(MemberLabelTickCount, "TrackTribeMembers");
  if (!section) return;

  MemberLabels labels(*section);
  for (auto entry = TribeMemberTrackers.begin(); entry != TribeMemberTrackers.end();) {
    AShooterPlayerController* tracker = entry->tracker.Get();
    AShooterCharacter* character = tracker ? host::GetPlayerCharacter(tracker) : nullptr;
    if (character == nullptr || host::IsDead(character) || !host::IsConnected(character)) {
      entry = TribeMemberTrackers.erase(entry);
      continue;
    }
    labels.DrawFor(tracker, character);
    ++entry;
  }
}

}  // namespace packsentinel
