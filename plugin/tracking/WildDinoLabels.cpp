#include "tracking/WildDinoLabels.h"

#include <string>

#include "tracking/DinoLabels.h"
#include "tracking/LabelText.h"

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

FString LabelText(const FString& labelTemplate, APrimalDinoCharacter* creature, int32 metres) {
  return FillPlaceholders(labelTemplate,
                          {{u"{dinoName}", host::GetDescriptiveName(creature).View()},
                           {u"{dinoLevel}", LevelText(creature)},
                           {u"{dinoDistance}", Decimal(metres)}});
}

// Wild labels have no upper range: the command already chose what is near enough.
constexpr DinoLabelKind kWildLabels{"TrackWildDinos", "TrackWildDinosText", kYellow, false, IsGone,
                                    LabelText};

}  // namespace

void WildDinoLabelUpdater(float /*deltaSeconds*/) {
  RefreshDinoLabels(WildDinoTrackers, WildLabelTickCount, kWildLabels);
}

}  // namespace packsentinel
