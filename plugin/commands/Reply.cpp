#include "commands/Reply.h"

#include "host/Game.h"

namespace packsentinel {

void SendChat(AShooterPlayerController* controller, host::TextView sender, host::TextView format,
              std::span<const host::FormatArgument> arguments) {
  host::ClientChatMessage(controller, sender, host::Format(format, arguments));
}

}  // namespace packsentinel
