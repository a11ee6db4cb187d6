#include "commands/TrackTribeMembers.h"

#include "commands/CommandGate.h"
#include "commands/Reply.h"
#include "host/Text.h"
#include "tracking/Registries.h"

namespace packsentinel {

void TrackTribeMembersCommand(AShooterPlayerController* controller, host::TextView line,
                              std::int32_t /*mode*/) {
  const auto words = PassGate(controller, line, "TrackTribeMembers");
  if (!words) return;
  if (words->size() != 2) {
    SendUsage(controller, "TrackTribeMembers", "TrackTribeMembersUseHelp");
    return;
  }
  // Mates cost no slot, but a player at his limit may not use the command at all.
  if (IsTrackLimitReached(controller)) {
    SendChatReply(controller, "TrackLimitReached");
    return;
  }
  const std::string choice = ToLowerAscii(host::ToUtf8((*words)[1]));
  if (choice == "on") {
    AppendMemberEntry(controller);
    SendChatReply(controller, "PacksentinelEnabled");
  } else if (choice == "off") {
    RemoveControllerMemberEntries(controller);
    SendChatReply(controller, "PacksentinelDisabled");
  } else {
    SendUsage(controller, "TrackTribeMembers", "TrackTribeMembersUseHelp");
  }
}

}  // namespace packsentinel
