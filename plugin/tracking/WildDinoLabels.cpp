#include "tracking/WildDinoLabels.h"

#include "config/Schema.h"
#include "tracking/DinoLabels.h"
#include "tracking/LabelText.h"

namespace packsentinel {

std::int32_t WildLabelTickCount = 0;

namespace {

constexpr host::LinearColour kYellow{1.f, 1.f, 0.f, 1.f};

bool IsCreatureGone(APrimalDinoCharacter* creature) {
  return creature == nullptr || host::IsDestroyingDino(creature) || host::IsDeadFlagSet(creature) ||
         host::IsSleeping(creature);
}

bool IsTrackerGone(AShooterPlayerController* tracker, AShooterCharacter* character) {
  return tracker == nullptr || character == nullptr || !host::IsConnected(character) ||
         host::IsRespawning(tracker);
}

void LabelText(const LabelTemplate& labelTemplate, APrimalDinoCharacter* creature,
               std::int32_t metres, host::String& out) {
  const host::TextView name = host::GetDescriptiveName(creature);
  // A creature without status component has no level to show.
  UPrimalCharacterStatusComponent* status = host::GetStatusComponent(creature);
  const DecimalText level(status ? host::GetCharacterLevel(status) : 0);
  const DecimalText distance(metres);
  const host::TextView values[] = {name, status ? level.Digits() : host::TextView(),
                                   distance.Digits()};
  labelTemplate.Fill(values, out);
}

constexpr DinoLabelKind kWildLabels{&schema::kTrackWildDinos,
                                    &schema::kTrackWildDinosText,
                                    kYellow,
                                    false,
                                    IsCreatureGone,
                                    IsTrackerGone,
                                    LabelText};

}  // namespace

void WildDinoLabelUpdater(float /*deltaSeconds*/) {
  RefreshDinoLabels(WildDinoTrackers, WildLabelTickCount, kWildLabels);
}

}  // namespace packsentinel
