#include "commands/TrackTribeDinos.h"

#include "commands/CommandGate.h"
#include "commands/CreatureSearch.h"
#include "commands/Reply.h"
#include "host/Text.h"

namespace packsentinel {

void TrackTribeDinosCommand(AShooterPlayerController* controller, host::TextView line,
                            std::int32_t /*mode*/) {
  const auto words = PassGate(controller, line, schema::kTrackTribeDinos);
  if (!words) return;
  const Switch choice = words->size() == 2 ? ReadSwitch((*words)[1]) : Switch::Neither;
  if (choice == Switch::On) {
    if (IsTrackLimitReached(controller)) {
      SendChatReply(controller, schema::kTrackLimitReached);
      return;
    }
    const std::int32_t team = host::GetTargetingTeam(controller);
    SearchAndRecord(
        {controller, TribeDinoTrackers, SectionOf(schema::kTrackTribeDinos), team, nullptr});
    SendChatReply(controller, schema::kTribeDinoTrackerEnabled);
  } else if (choice == Switch::Off) {
    RemovePlayerDinoEntries(TribeDinoTrackers, controller);
    SendChatReply(controller, schema::kTribeDinoTrackerDisabled);
  } else {
    SendUsage(controller, schema::kTrackTribeDinos, schema::kTrackTribeDinosUseHelp);
  }
}

}  // namespace packsentinel
