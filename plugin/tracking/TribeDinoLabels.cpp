#include "tracking/TribeDinoLabels.h"

#include <string>

#include "tracking/DinoLabels.h"
#include "tracking/LabelText.h"

namespace packsentinel {

int32 TribeDinoLabelTickCount = 0;

namespace {

constexpr FLinearColor kGreen{0.f, 1.f, 0.f, 1.f};

// Stricter than for wild creatures: death is asked of the game, and a dead tracker ends it.
bool IsGone(APrimalDinoCharacter* creature, AShooterPlayerController* tracker,
            AShooterCharacter* trackerCharacter) {
  return creature == nullptr || host::IsDestroyingDino(creature) || host::IsDead(creature) ||
         host::IsSleeping(creature) || tracker == nullptr || trackerCharacter == nullptr ||
         host::IsDead(trackerCharacter) || !host::IsConnected(trackerCharacter) ||
         host::IsRespawning(tracker);
}

// Blanks that put a second line about under the middle of the name.
std::u16string SpacesFor(int32 nameLength) {
  return std::u16string(static_cast<std::size_t>((nameLength + 3) / 2 - 1), u' ');
}

FString LabelText(const FString& labelTemplate, APrimalDinoCharacter* creature, int32 metres) {
  const FString name = host::GetDinoDescriptiveName(creature);
  return FillPlaceholders(labelTemplate, {{u"{dinoName}", name.View()},
                                          {u"{dinoDistance}", Decimal(metres)},
                                          {u"{spaces}", SpacesFor(name.Len())}});
}

constexpr DinoLabelKind kTribeLabels{"TrackTribeDinos", "TrackTribeDinosText", kGreen, true, IsGone,
                                     LabelText};

}  // namespace

void TribeDinoLabelUpdater(float /*deltaSeconds*/) {
  RefreshDinoLabels(TribeDinoTrackers, TribeDinoLabelTickCount, kTribeLabels);
}

}  // namespace packsentinel
