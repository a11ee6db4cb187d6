#include "tracking/DinoLabels.h"

#include <optional>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/Refresh.h"

namespace packsentinel {

void RefreshDinoLabels(DinoTrackList& registry, std::int32_t& tickCount,
                       const DinoLabelKind& kind) {
  const auto section = BeginRefresh(tickCount, kind.commandKey);
  if (!section) return;

  const RangeRule range(*section, kind.upperBound);
  const float duration = CreatureLabelDuration(TextUpdatePeriod);
  std::optional<LabelTemplate> labelTemplate;  // looked up once, by the first entry that is drawn
  host::String text;                           // every label of the refresh is written here,
  host::GameText sent;                         // and sent from here
  for (auto entry = registry.begin(); entry != registry.end();) {
    APrimalDinoCharacter* creature = entry->creature.Get();
    AShooterPlayerController* tracker = entry->tracker.Get();
    AShooterCharacter* trackerCharacter = tracker ? host::GetPlayerCharacter(tracker) : nullptr;
    if (kind.isGone(creature, tracker, trackerCharacter)) {
      entry = DropDinoEntry(registry, entry);
      continue;
    }
    const std::int32_t metres = DistanceInMetres(host::GetDistanceTo(creature, trackerCharacter));
    if (range.Admits(metres)) {
      if (!labelTemplate) {
        labelTemplate.emplace(GetFloatingText(kind.templateKey), kind.placeholders);
      }
      kind.labelText(*labelTemplate, creature, metres, text);
      sent.Assign(text);
      host::MulticastDrawDebugString(tracker, host::GetCapsuleTopLocation(creature), sent, nullptr,
                                     kind.colour, duration, true);
    }
    ++entry;
  }
}

}  // namespace packsentinel
