#include "tracking/DinoLabels.h"

#include <json.hpp>
#include <optional>

#include "config/LabelDurations.h"
#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/CreatureSelection.h"
#include "tracking/Refresh.h"

namespace packsentinel {

void RefreshDinoLabels(DinoTrackList& registry, std::int32_t& tickCount,
                       const DinoLabelKind& kind) {
  const auto section = BeginRefresh(tickCount, *kind.command);
  if (!section) return;

  const RangeRule range(*section, kind.command->ranges.maxIsFarthestLabel);
  const float duration = CreatureLabelDuration(TextUpdatePeriod);
  std::optional<LabelTemplate> labelTemplate;  // looked up once, by the first entry that is drawn
  host::String text;                           // every label of the refresh is written here,
  host::GameText sent;                         // and sent from here
  TrackerStates trackers(kind.isTrackerGone, kind.ofTrackersTeam);
  for (auto entry = registry.begin(); entry != registry.end();) {
    const TrackerState& tracker = trackers.Of(entry->tracker);
    APrimalDinoCharacter* creature = tracker.gone ? nullptr : entry->creature.Get();
    if (tracker.gone || kind.isCreatureGone(creature) || !BelongsTo(creature, tracker.team)) {
      entry = DropDinoEntry(registry, entry);
      continue;
    }
    const std::int32_t metres = DistanceInMetres(host::GetDistanceTo(creature, tracker.character));
    if (range.Admits(metres)) {
      if (!labelTemplate) {
        labelTemplate.emplace(GetFloatingText(*kind.label), kind.label->placeholders);
      }
      kind.labelText(*labelTemplate, creature, metres, text);
      sent.Assign(text);
      host::MulticastDrawDebugString(tracker.controller, host::GetCapsuleTopLocation(creature),
                                     sent, nullptr, kind.colour, duration, true);
    }
    ++entry;
  }
}

}  // namespace packsentinel
