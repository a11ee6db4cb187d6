#include "commands/StopTrack.h"

#include "commands/Reply.h"
#include "tracking/Registries.h"

namespace packsentinel {

void StopTrackCommand(AShooterPlayerController* controller, host::TextView /*line*/,
                      std::int32_t /*mode*/) {
  RemovePlayerDinoEntries(WildDinoTrackers, controller);
  RemovePlayerDinoEntries(TribeDinoTrackers, controller);
  RemovePlayerMemberEntries(controller);
  if (controller != nullptr) ResetTrackCount(host::GetPlayerId(controller));
  SendChatReply(controller, schema::kStopTrackingSuccess);
}

}  // namespace packsentinel
