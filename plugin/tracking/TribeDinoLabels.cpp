#include "tracking/TribeDinoLabels.h"

#include <optional>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/LabelText.h"
#include "tracking/Refresh.h"
#include "tracking/Registries.h"

namespace packsentinel {

int32 TribeDinoLabelTickCount = 0;

namespace {

constexpr FLinearColor kGreen{0.f, 1.f, 0.f, 1.f};

// Stricter than for wild creatures: death is asked of the game, and a dead tracker ends it.
bool IsGone(APrimalDinoCharacter* creature, AShooterPlayerController* tracker,
            AShooterCharacter* trackerCharacter) {
  return creature == nullptr || host::IsDestroyingDino(creature) || host::IsDead(creature) ||
         host::IsSleeping(creature) || tracker == nullptr || trackerCharacter == nullptr ||
         host::IsDead(trackerCharacter) || !host::IsConnected(trackerCharacter) ||
         host::IsRespawning(tracker);
}

// Blanks that put a second line about under the middle of the name.
std::u16string SpacesFor(int32 nameLength) {
  return std::u16string(static_cast<std::size_t>((nameLength + 3) / 2 - 1), u' ');
}

}  // namespace

void TribeDinoLabelUpdater(float /*deltaSeconds*/) {
  if (!RefreshGate(TribeDinoLabelTickCount)) return;
  nlohmann::json section = RefreshSection("TrackTribeDinos");
  if (!section["Enabled"].get<bool>()) return;

  const float duration = CreatureLabelDuration(TextUpdatePeriod);
  std::optional<FString> labelTemplate;  // looked up once, by the first entry that is drawn
  for (auto entry = TribeDinoTrackers.begin(); entry != TribeDinoTrackers.end();) {
    APrimalDinoCharacter* creature = entry->creature.Get();
    AShooterPlayerController* tracker = entry->tracker.Get();
    AShooterCharacter* trackerCharacter = tracker ? host::GetPlayerCharacter(tracker) : nullptr;
    if (IsGone(creature, tracker, trackerCharacter)) {
      entry = DropDinoEntry(TribeDinoTrackers, entry);
      continue;
    }
    const int32 metres = DistanceInMetres(creature, trackerCharacter);
    if (IsInRange(section, metres, true)) {
      if (!labelTemplate) labelTemplate = GetFloatingText("TrackTribeDinosText");
      const FString name = host::GetDinoDescriptiveName(creature);
      const FString text = FillPlaceholders(*labelTemplate, {{u"{dinoName}", name.View()},
                                                             {u"{dinoDistance}", Decimal(metres)},
                                                             {u"{spaces}", SpacesFor(name.Len())}});
      host::MulticastDrawDebugString(tracker, host::GetCapsuleTopLocation(creature), text, nullptr,
                                     kGreen, duration, true);
    }
    ++entry;
  }
}

}  // namespace packsentinel
