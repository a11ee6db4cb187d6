#include "support/FloorLabels.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "host/Text.h"

namespace bench_support {
namespace {

const FLinearColor kYellow(1.f, 1.f, 0.f, 1.f);
const FLinearColor kGreen(0.f, 1.f, 0.f, 1.f);
constexpr std::uint32_t kMateColour = 0xFF35C211;

// The templates this floor writes its texts for.
constexpr std::u16string_view kWildTemplate = u"{dinoName} {dinoLevel} {dinoDistance}m";
constexpr std::u16string_view kTribeTemplate = u"{dinoName}\n{spaces}{dinoDistance}m";
constexpr std::u16string_view kMateTemplate = u"{playerName} {playerDistance}m";

void RequireTemplate(const char* key, std::u16string_view written) {
  const std::u16string configured = ConfiguredText("FloatingTexts", key);
  if (configured != written) {
    throw std::runtime_error(std::string("the floor writes ") + key + " as \"" +
                             host::ToFString(written).ToString() + "\", the configuration has \"" +
                             host::ToFString(configured).ToString() + "\"");
  }
}

float CreatureLabelDuration(int32 period) {
  if (period == 1) return 0.035f;
  if (period >= 10) return static_cast<float>(period * 0.04);
  return static_cast<float>(period * 0.035 * 2);
}

float MateLabelDuration(int32 period) {
  if (period >= 1 && period <= 5) return 0.2728f;
  return static_cast<float>(period * 0.0375);
}

bool SameObject(const FWeakObjectPtr& a, const FWeakObjectPtr& b) {
  return a.ObjectIndex == b.ObjectIndex && a.ObjectSerialNumber == b.ObjectSerialNumber;
}

// Runs the walk over every entry and keeps, in order, those it answers true for.
template <typename Entry, typename Walk>
void WalkKeeping(std::vector<Entry>& entries, Walk walk) {
  auto kept = entries.begin();
  for (Entry& entry : entries) {
    if (walk(entry)) *kept++ = entry;
  }
  entries.erase(kept, entries.end());
}

}  // namespace

FloorLabels::FloorLabels(const FloorGame& game) : game_(game) {
  RequireTemplate("TrackWildDinosText", kWildTemplate);
  RequireTemplate("TrackTribeDinosText", kTribeTemplate);
  RequireTemplate("TrackTribeMembersText", kMateTemplate);
}

void FloorLabels::TrackWild(AShooterPlayerController* tracker, APrimalDinoCharacter* creature) {
  wild_.push_back({game_.Weak(tracker), game_.Weak(creature)});
}

void FloorLabels::TrackTribe(AShooterPlayerController* tracker, APrimalDinoCharacter* creature) {
  tribe_.push_back({game_.Weak(tracker), game_.Weak(creature)});
}

void FloorLabels::ShowMates(AShooterPlayerController* tracker) {
  mateTrackers_.push_back(game_.Weak(tracker));
}

void FloorLabels::Refresh(int32 period) {
  RefreshMates(period);
  RefreshCreatures(
      tribe_, "TrackTribeDinos", true, kGreen, period,
      [this](auto... actors) { return IsTribeCreatureGone(actors...); },
      [this](auto... actors) { return IsTribeTrackerGone(actors...); },
      [this](APrimalDinoCharacter* creature, int32 metres) { WriteTribeText(creature, metres); });
  // Wild labels have no upper range: the command already chose what is near enough.
  RefreshCreatures(
      wild_, "TrackWildDinos", false, kYellow, period,
      [this](auto... actors) { return IsWildCreatureGone(actors...); },
      [this](auto... actors) { return IsWildTrackerGone(actors...); },
      [this](APrimalDinoCharacter* creature, int32 metres) { WriteWildText(creature, metres); });
}

void FloorLabels::RefreshMates(int32 period) {
  const nlohmann::json& section = CommandSettings("TrackTribeMembers");
  if (!IsEnabled(section)) return;
  const TrackRange range(section);
  const float duration = MateLabelDuration(period);
  AShooterGameMode* gameMode = ArkApi::GetApiUtils().GetShooterGameMode();
  // Like the plugin, each mate is read once per refresh.
  std::unordered_map<uint32, Mate> mates;
  Controllers controllers;
  WalkKeeping(mateTrackers_, [&](const FWeakObjectPtr& entry) {
    auto* tracker = game_.Get<AShooterPlayerController>(entry);
    AShooterCharacter* character = tracker ? game_.playerCharacter(tracker) : nullptr;
    if (character == nullptr || game_.isDead(character) || !game_.connected.Of(character)) {
      return false;
    }
    DrawMatesOf(tracker, character, gameMode, range, duration, mates, controllers);
    return true;
  });
}

void FloorLabels::DrawMatesOf(AShooterPlayerController* tracker,
                              AShooterCharacter* trackerCharacter, AShooterGameMode* gameMode,
                              const TrackRange& range, float duration,
                              std::unordered_map<uint32, Mate>& mates, Controllers& controllers) {
  AShooterPlayerState* state = game_.playerState.Of(tracker);
  if (state == nullptr) return;
  const TArray<uint32>& ids = game_.tribeMemberIds.Of(&game_.tribeData.Of(state));
  // A copy: looking a mate up may change what the game holds.
  memberIds_.assign(ids.GetData(), ids.GetData() + ids.Num());
  const uint64 trackerId = game_.playerId(tracker);
  // The entry was kept: the tracker is alive and connected.
  const bool trackerPresent = !game_.isRespawning.Of(tracker);
  for (const uint32 member : memberIds_) {
    const auto [found, added] = mates.try_emplace(member);
    Mate& mate = found->second;
    if (added) mate.playerId = PlayerIdOfMember(gameMode, member);
    if (mate.playerId == trackerId || !trackerPresent) continue;
    if (!mate.looked) {
      mate.looked = true;
      mate.controller = ControllerOf(mate.playerId, controllers);
      AShooterCharacter* character =
          mate.controller ? game_.playerCharacter(mate.controller) : nullptr;
      if (character != nullptr && IsPresent(mate.controller, character)) mate.character = character;
    }
    if (mate.character == nullptr) continue;
    const int32 metres = Metres(mate.character, trackerCharacter);
    if (!range.Admits(metres, true)) continue;
    if (!mate.name) {
      mate.at = game_.pawnViewLocation(mate.character, false);
      mate.name.emplace(game_.playerCharacterName(mate.controller), game_.free);
    }
    text_.Clear();
    text_.Append(ViewOf(mate.name->Get()));
    text_.Append(u' ');
    text_.AppendDecimal(metres);
    text_.Append(u'm');
    const FVector still{0.f, 0.f, 0.f};
    game_.floatingText(tracker, mate.at, text_.Get(), FColor(kMateColour), 0.2f, 0.2f, duration,
                       still, 1.5f, 0.f, 0.f);
  }
}

AShooterPlayerController* FloorLabels::ControllerOf(uint64 playerId,
                                                    Controllers& controllers) const {
  if (!controllers) {
    controllers.emplace();
    for (const auto& weak : game_.playerControllers.Of(ArkApi::GetApiUtils().GetWorld())) {
      auto* controller = game_.Get<AShooterPlayerController>(weak);
      if (controller != nullptr) (*controllers)[game_.playerId(controller)] = controller;
    }
  }
  const auto found = controllers->find(playerId);
  return found == controllers->end() ? nullptr : found->second;
}

uint64 FloorLabels::PlayerIdOfMember(AShooterGameMode* gameMode, uint32 memberId) const {
  const auto dataId = static_cast<int32>(memberId);
  uint64 playerId = game_.steamIdForPlayerId(gameMode, dataId);
  if (playerId != 0) return playerId;
  const auto linkedId = static_cast<uint64>(static_cast<int64>(dataId));
  UWorld* world = ArkApi::GetApiUtils().GetWorld();
  for (const auto& weak : game_.playerControllers.Of(world)) {
    auto* controller = game_.Get<AShooterPlayerController>(weak);
    if (controller != nullptr && game_.linkedPlayerId.Of(controller) == linkedId) {
      playerId = game_.playerId(controller);
      break;
    }
  }
  game_.addPlayerId(gameMode, dataId, playerId);
  return playerId;
}

bool FloorLabels::IsPresent(AShooterPlayerController* controller,
                            AShooterCharacter* character) const {
  return !game_.isRespawning.Of(controller) && !game_.isDead(character) &&
         game_.connected.Of(character);
}

template <typename IsCreatureGone, typename IsTrackerGone, typename WriteText>
void FloorLabels::RefreshCreatures(std::vector<CreatureEntry>& entries, const char* commandKey,
                                   bool upperBound, const FLinearColor& colour, int32 period,
                                   IsCreatureGone isCreatureGone, IsTrackerGone isTrackerGone,
                                   WriteText writeText) {
  const nlohmann::json& section = CommandSettings(commandKey);
  if (!IsEnabled(section)) return;
  const TrackRange range(section);
  const float duration = CreatureLabelDuration(period);
  // The plugin asks each tracker once per refresh; here his entries follow one another.
  std::optional<FWeakObjectPtr> lastTracker;  // a copy: the walk moves the entries it keeps
  AShooterPlayerController* tracker = nullptr;
  AShooterCharacter* trackerCharacter = nullptr;
  bool trackerGone = true;
  WalkKeeping(entries, [&](const CreatureEntry& entry) {
    if (!lastTracker || !SameObject(*lastTracker, entry.tracker)) {
      lastTracker = entry.tracker;
      tracker = game_.Get<AShooterPlayerController>(entry.tracker);
      trackerCharacter = tracker ? game_.playerCharacter(tracker) : nullptr;
      trackerGone = isTrackerGone(tracker, trackerCharacter);
    }
    if (trackerGone) return false;
    auto* creature = game_.Get<APrimalDinoCharacter>(entry.creature);
    if (isCreatureGone(creature, tracker)) return false;
    const int32 metres = Metres(creature, trackerCharacter);
    if (range.Admits(metres, upperBound)) {
      writeText(creature, metres);
      game_.debugString(tracker, game_.capsuleTop(creature), text_.Get(), nullptr, colour, duration,
                        true);
    }
    return true;
  });
}

bool FloorLabels::IsWildCreatureGone(APrimalDinoCharacter* creature,
                                     AShooterPlayerController* /*tracker*/) const {
  return creature == nullptr || game_.destroyingDino.Of(creature) || game_.deadFlag.Of(creature) ||
         game_.sleeping.Of(creature) || game_.targetingTeam.Of(creature) > kWildTeamBound;
}

bool FloorLabels::IsWildTrackerGone(AShooterPlayerController* tracker,
                                    AShooterCharacter* trackerCharacter) const {
  return tracker == nullptr || trackerCharacter == nullptr ||
         !game_.connected.Of(trackerCharacter) || game_.isRespawning.Of(tracker);
}

// Stricter than for wild creatures: death is asked of the game, and a dead tracker ends it.
bool FloorLabels::IsTribeCreatureGone(APrimalDinoCharacter* creature,
                                      AShooterPlayerController* tracker) const {
  return creature == nullptr || game_.destroyingDino.Of(creature) || game_.isDead(creature) ||
         game_.sleeping.Of(creature) ||
         game_.targetingTeam.Of(creature) != game_.targetingTeam.Of(tracker);
}

bool FloorLabels::IsTribeTrackerGone(AShooterPlayerController* tracker,
                                     AShooterCharacter* trackerCharacter) const {
  return tracker == nullptr || trackerCharacter == nullptr || game_.isDead(trackerCharacter) ||
         !game_.connected.Of(trackerCharacter) || game_.isRespawning.Of(tracker);
}

void FloorLabels::WriteWildText(APrimalDinoCharacter* creature, int32 metres) {
  text_.Clear();
  text_.Append(ViewOf(game_.descriptiveName.Of(creature)));
  text_.Append(u' ');
  if (UPrimalCharacterStatusComponent* status = game_.statusComponent.Of(creature)) {
    text_.AppendDecimal(game_.characterLevel(status));
  }
  text_.Append(u' ');
  text_.AppendDecimal(metres);
  text_.Append(u'm');
}

void FloorLabels::WriteTribeText(APrimalDinoCharacter* creature, int32 metres) {
  const ReturnedText returned(game_.dinoDescriptiveName(creature), game_.free);
  const FString& name = returned.Get();
  text_.Clear();
  text_.Append(ViewOf(name));
  text_.Append(u'\n');
  // Blanks that put the second line about under the middle of the name.
  text_.AppendRepeated(u' ', static_cast<std::size_t>((name.Len() + 3) / 2 - 1));
  text_.AppendDecimal(metres);
  text_.Append(u'm');
}

int32 FloorLabels::Metres(AActor* from, AActor* to) const {
  const float metres = std::trunc(game_.distanceTo(from, to) / 100.f);
  if (!(metres < 2147483648.f)) return std::numeric_limits<int32>::max();
  return static_cast<int32>(metres);
}

}  // namespace bench_support
