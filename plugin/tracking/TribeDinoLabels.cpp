#include "tracking/TribeDinoLabels.h"

#include "config/Schema.h"
#include "tracking/DinoLabels.h"
#include "tracking/LabelText.h"

namespace packsentinel {

int32 TribeDinoLabelTickCount = 0;

namespace {

constexpr host::LinearColour kGreen{0.f, 1.f, 0.f, 1.f};

// Stricter than for wild creatures: death is asked of the game, and a dead tracker ends it.
bool IsGone(APrimalDinoCharacter* creature, AShooterPlayerController* tracker,
            AShooterCharacter* trackerCharacter) {
  return creature == nullptr || host::IsDestroyingDino(creature) || host::IsDead(creature) ||
         host::IsSleeping(creature) || tracker == nullptr || trackerCharacter == nullptr ||
         host::IsDead(trackerCharacter) || !host::IsConnected(trackerCharacter) ||
         host::IsRespawning(tracker);
}

// Blanks that put a second line about under the middle of the name.
std::size_t SpacesFor(int32 nameLength) {
  return static_cast<std::size_t>((nameLength + 3) / 2 - 1);
}

void LabelText(const LabelTemplate& labelTemplate, APrimalDinoCharacter* creature, int32 metres,
               FString& out) {
  const FString name = host::GetDinoDescriptiveName(creature);
  const DecimalText distance(metres);
  const host::TextView values[] = {host::View(name), distance.Digits(),
                                   Blanks(SpacesFor(name.Len()))};
  labelTemplate.Fill(values, out);
}

constexpr DinoLabelKind kTribeLabels{"TrackTribeDinos",
                                     "TrackTribeDinosText",
                                     schema::kTribeDinoLabelPlaceholders,
                                     kGreen,
                                     true,
                                     IsGone,
                                     LabelText};

}  // namespace

void TribeDinoLabelUpdater(float /*deltaSeconds*/) {
  RefreshDinoLabels(TribeDinoTrackers, TribeDinoLabelTickCount, kTribeLabels);
}

}  // namespace packsentinel
