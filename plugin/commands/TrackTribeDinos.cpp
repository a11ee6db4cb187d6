#include "commands/TrackTribeDinos.h"

#include "commands/CommandGate.h"
#include "commands/CreatureSearch.h"
#include "commands/Reply.h"
#include "host/Text.h"

namespace packsentinel {

void TrackTribeDinosCommand(AShooterPlayerController* controller, host::TextView line,
                            std::int32_t /*mode*/) {
  const auto words = PassGate(controller, line, "TrackTribeDinos");
  if (!words) return;
  const std::string choice = words->size() == 2 ? ToLowerAscii(host::ToUtf8((*words)[1])) : "";
  if (choice == "on") {
    if (IsTrackLimitReached(controller)) {
      SendChatReply(controller, "TrackLimitReached");
      return;
    }
    const std::int32_t team = host::GetTargetingTeam(controller);
    SearchAndRecord(
        {controller, TribeDinoTrackers, CommandSection("TrackTribeDinos"), team, nullptr});
    SendChatReply(controller, "TribeDinoTrackerEnabled");
  } else if (choice == "off") {
    RemovePlayerDinoEntries(TribeDinoTrackers, controller);
    SendChatReply(controller, "TribeDinoTrackerDisabled");
  } else {
    SendUsage(controller, "TrackTribeDinos", "TrackTribeDinosUseHelp");
  }
}

}  // namespace packsentinel
