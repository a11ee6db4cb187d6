#pragma once

// The refresh both creature registries share: drop the entries whose creature or tracker is
// gone (each gives its slot back), then label every creature left, within range, through its
// tracker's own controller.

#include <span>
#include <string_view>

#include "config/Schema.h"
#include "tracking/LabelText.h"
#include "tracking/Registries.h"
#include "tracking/TrackerStates.h"

namespace packsentinel {

// What tells the wild and the tribe creature labels apart.
struct DinoLabelKind {
  const schema::CommandSection* command;
  const schema::LabelSchema* label;
  host::LinearColour colour;
  // Whether the creatures labelled are the tracker's team's, or else the wild: an entry whose
  // creature no longer is, as the search would select it now, is dropped.
  bool ofTrackersTeam;
  // An entry is dropped when its creature or its tracker is gone.
  bool (*isCreatureGone)(APrimalDinoCharacter* creature);
  TrackerStates::GoneTest isTrackerGone;
  void (*labelText)(const LabelTemplate& labelTemplate, APrimalDinoCharacter* creature,
                    std::int32_t metres, host::String& out);
};

void RefreshDinoLabels(DinoTrackList& registry, std::int32_t& tickCount, const DinoLabelKind& kind);

}  // namespace packsentinel
