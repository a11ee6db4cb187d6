#include "tracking/DinoLabels.h"

#include <optional>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/LabelText.h"
#include "tracking/Refresh.h"

namespace packsentinel {

void RefreshDinoLabels(DinoTrackList& registry, int32& tickCount, const DinoLabelKind& kind) {
  const auto section = BeginRefresh(tickCount, kind.commandKey);
  if (!section) return;

  const float duration = CreatureLabelDuration(TextUpdatePeriod);
  std::optional<FString> labelTemplate;  // looked up once, by the first entry that is drawn
  for (auto entry = registry.begin(); entry != registry.end();) {
    APrimalDinoCharacter* creature = entry->creature.Get();
    AShooterPlayerController* tracker = entry->tracker.Get();
    AShooterCharacter* trackerCharacter = tracker ? host::GetPlayerCharacter(tracker) : nullptr;
    if (kind.isGone(creature, tracker, trackerCharacter)) {
      entry = DropDinoEntry(registry, entry);
      continue;
    }
    const int32 metres = DistanceInMetres(creature, trackerCharacter);
    if (IsInRange(*section, metres, kind.upperBound)) {
      if (!labelTemplate) labelTemplate = GetFloatingText(kind.templateKey);
      host::MulticastDrawDebugString(tracker, host::GetCapsuleTopLocation(creature),
                                     kind.labelText(*labelTemplate, creature, metres), nullptr,
                                     kind.colour, duration, true);
    }
    ++entry;
  }
}

}  // namespace packsentinel
