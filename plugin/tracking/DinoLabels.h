#pragma once

// The refresh both creature registries share: drop the entries whose creature or tracker is
// gone (each gives its slot back), then label every creature left, within range, through its
// tracker's own controller.

#include <span>
#include <string_view>

#include "tracking/LabelText.h"
#include "tracking/Registries.h"

namespace packsentinel {

// What tells the wild and the tribe creature labels apart.
struct DinoLabelKind {
  const char* commandKey;                        // the section under "Commands"
  const char* templateKey;                       // under "FloatingTexts"
  std::span<const host::TextView> placeholders;  // in replacement order
  host::LinearColour colour;
  bool upperBound;  // whether "MaxTrackRange" limits where labels are drawn
  bool (*isGone)(APrimalDinoCharacter* creature, AShooterPlayerController* tracker,
                 AShooterCharacter* trackerCharacter);
  void (*labelText)(const LabelTemplate& labelTemplate, APrimalDinoCharacter* creature,
                    int32 metres, FString& out);
};

void RefreshDinoLabels(DinoTrackList& registry, int32& tickCount, const DinoLabelKind& kind);

}  // namespace packsentinel
