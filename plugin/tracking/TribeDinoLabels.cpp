#include "tracking/TribeDinoLabels.h"

#include "config/Schema.h"
#include "tracking/DinoLabels.h"
#include "tracking/LabelText.h"

namespace packsentinel {

std::int32_t TribeDinoLabelTickCount = 0;

namespace {

constexpr host::LinearColour kGreen{0.f, 1.f, 0.f, 1.f};

// Stricter than for wild creatures: death is asked of the game, and a dead tracker ends it.
bool IsCreatureGone(APrimalDinoCharacter* creature) {
  return creature == nullptr || host::IsDestroyingDino(creature) || host::IsDead(creature) ||
         host::IsSleeping(creature);
}

bool IsTrackerGone(AShooterPlayerController* tracker, AShooterCharacter* character) {
  return tracker == nullptr || character == nullptr || host::IsDead(character) ||
         !host::IsConnected(character) || host::IsRespawning(tracker);
}

// Blanks that put a second line about under the middle of the name.
std::size_t SpacesFor(std::int32_t nameLength) {
  return static_cast<std::size_t>((nameLength + 3) / 2 - 1);
}

void LabelText(const LabelTemplate& labelTemplate, APrimalDinoCharacter* creature,
               std::int32_t metres, host::String& out) {
  host::GameText name;
  host::GetDinoDescriptiveName(creature, name);
  const DecimalText distance(metres);
  const host::String blanks(SpacesFor(static_cast<std::int32_t>(name.View().size())),
                            HOST_TEXT(' '));
  const host::TextView values[] = {name.View(), distance.Digits(), blanks};
  labelTemplate.Fill(values, out);
}

constexpr DinoLabelKind kTribeLabels{&schema::kTrackTribeDinos,
                                     &schema::kTrackTribeDinosText,
                                     kGreen,
                                     true,
                                     IsCreatureGone,
                                     IsTrackerGone,
                                     LabelText};

}  // namespace

void TribeDinoLabelUpdater(float /*deltaSeconds*/) {
  RefreshDinoLabels(TribeDinoTrackers, TribeDinoLabelTickCount, kTribeLabels);
}

}  // namespace packsentinel
