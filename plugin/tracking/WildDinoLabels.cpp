#include "tracking/WildDinoLabels.h"

#include <optional>
#include <string>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/LabelText.h"
#include "tracking/Refresh.h"
#include "tracking/Registries.h"

namespace packsentinel {

int32 WildLabelTickCount = 0;

namespace {

constexpr FLinearColor kYellow{1.f, 1.f, 0.f, 1.f};

bool IsGone(APrimalDinoCharacter* creature, AShooterPlayerController* tracker,
            AShooterCharacter* trackerCharacter) {
  return creature == nullptr || host::IsDestroyingDino(creature) || tracker == nullptr ||
         trackerCharacter == nullptr || host::IsDeadFlagSet(creature) ||
         host::IsSleeping(creature) || !host::IsConnected(trackerCharacter) ||
         host::IsRespawning(tracker);
}

std::u16string LevelText(APrimalDinoCharacter* creature) {
  UPrimalCharacterStatusComponent* status = host::GetStatusComponent(creature);
  return status ? Decimal(host::GetCharacterLevel(status)) : std::u16string();
}

}  // namespace

void WildDinoLabelUpdater(float /*deltaSeconds*/) {
  if (!RefreshGate(WildLabelTickCount)) return;
  nlohmann::json section = RefreshSection("TrackWildDinos");
  if (!section["Enabled"].get<bool>()) return;

  const float duration = CreatureLabelDuration(TextUpdatePeriod);
  std::optional<FString> labelTemplate;  // looked up once, by the first entry that is drawn
  for (auto entry = WildDinoTrackers.begin(); entry != WildDinoTrackers.end();) {
    APrimalDinoCharacter* creature = entry->creature.Get();
    AShooterPlayerController* tracker = entry->tracker.Get();
    AShooterCharacter* trackerCharacter = tracker ? host::GetPlayerCharacter(tracker) : nullptr;
    if (IsGone(creature, tracker, trackerCharacter)) {
      entry = DropDinoEntry(WildDinoTrackers, entry);
      continue;
    }
    const int32 metres = DistanceInMetres(creature, trackerCharacter);
    if (IsInRange(section, metres, false)) {
      if (!labelTemplate) labelTemplate = GetFloatingText("TrackWildDinosText");
      const FString text = FillPlaceholders(
          *labelTemplate, {{u"{dinoName}", host::GetDescriptiveName(creature).View()},
                           {u"{dinoLevel}", LevelText(creature)},
                           {u"{dinoDistance}", Decimal(metres)}});
      host::MulticastDrawDebugString(tracker, host::GetCapsuleTopLocation(creature), text, nullptr,
                                     kYellow, duration, true);
    }
    ++entry;
  }
}

}  // namespace packsentinel
