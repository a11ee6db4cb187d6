#include "commands/TrackTribeMembers.h"

#include "commands/CommandGate.h"
#include "commands/Reply.h"
#include "host/Text.h"
#include "tracking/Registries.h"

namespace packsentinel {

void TrackTribeMembersCommand(AShooterPlayerController* controller, host::TextView line,
                              std::int32_t /*mode*/) {
  const auto words = PassGate(controller, line, schema::kTrackTribeMembers);
  if (!words) return;
  if (words->size() != 2) {
    SendUsage(controller, schema::kTrackTribeMembers, schema::kTrackTribeMembersUseHelp);
    return;
  }
  // Mates cost no slot, but a player at his limit may not use the command at all, "off"
  // included: a deliberate rule players know (/stoptrack always frees him), not an oversight.
  if (IsTrackLimitReached(controller)) {
    SendChatReply(controller, schema::kTrackLimitReached);
    return;
  }
  const Switch choice = ReadSwitch((*words)[1]);
  if (choice == Switch::On) {
    AppendMemberEntry(controller);
    SendChatReply(controller, schema::kPacksentinelEnabled);
  } else if (choice == Switch::Off) {
    RemoveControllerMemberEntries(controller);
    SendChatReply(controller, schema::kPacksentinelDisabled);
  } else {
    SendUsage(controller, schema::kTrackTribeMembers, schema::kTrackTribeMembersUseHelp);
  }
}

}  // namespace packsentinel
