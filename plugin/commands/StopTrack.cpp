#include "commands/StopTrack.h"

#include "commands/Reply.h"
#include "tracking/Registries.h"

namespace packsentinel {

void StopTrackCommand(AShooterPlayerController* controller, FString* /*line*/, int32 /*mode*/) {
  RemovePlayerDinoEntries(WildDinoTrackers, controller);
  RemovePlayerDinoEntries(TribeDinoTrackers, controller);
  RemoveControllerMemberEntries(controller);
  if (controller != nullptr) ResetTrackCount(host::GetPlayerId(controller));
  SendChatReply(controller, "StopTrackingSuccess");
}

}  // namespace packsentinel
