#include "commands/TrackWildDinos.h"

#include "commands/CommandGate.h"
#include "commands/CreatureSearch.h"
#include "commands/Reply.h"
#include "commands/TrackLimit.h"
#include "commands/WildCreature.h"

namespace packsentinel {

void TrackWildDinosCommand(AShooterPlayerController* controller, host::TextView line,
                           std::int32_t /*mode*/) {
  const auto words = PassGate(controller, line, schema::kTrackWildDinos);
  if (!words) return;
  if (words->size() < 2) {
    SendUsage(controller, schema::kTrackWildDinos, schema::kTrackWildDinosUseHelp);
    return;
  }
  const CreatureRequest request = ReadCreatureRequest(*words);
  // Replies give back what the player typed as he typed it, letters beyond ASCII included.
  const host::TextView name = request.name;
  if (IsTrackLimitReached(controller)) {
    SendChatReply(controller, schema::kTrackLimitReached);
    return;
  }

  const std::int32_t recorded = SearchAndRecord(
      {controller, WildDinoTrackers, SectionOf(schema::kTrackWildDinos), std::nullopt, &request});
  if (recorded == 0) {
    SendChatReply(controller, schema::kNoDinosFound, name);
  } else if (words->size() == 3) {
    // Chosen by the number of words, not by whether a level was read.
    SendChatReply(controller, schema::kTrackingDinosWithLevel, name, (*words)[2],
                  GetTrackLimit(controller));
  } else {
    SendChatReply(controller, schema::kTrackingDinosNoLevel, name, GetTrackLimit(controller));
  }
}

}  // namespace packsentinel
