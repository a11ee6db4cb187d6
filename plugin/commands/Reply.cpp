#include "commands/Reply.h"

#include "host/Game.h"

namespace packsentinel {

void SendChat(AShooterPlayerController* controller, const FString& sender, const FString& text) {
  FChatMessage message;
  message.SenderName = sender;
  message.Message = text;
  message.ReceivedTime = -1.0;
  host::ClientChatMessage(controller, message);
}

}  // namespace packsentinel
