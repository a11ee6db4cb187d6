#include "commands/Reply.h"

#include <algorithm>

#include "host/Game.h"

namespace packsentinel {

host::TextView Echoed(host::TextView text) {
  std::size_t length = std::min<std::size_t>(text.size(), schema::kEchoedTextLimit);
  const auto isLeadingSurrogate = [](host::Char c) { return c >= 0xD800 && c <= 0xDBFF; };
  if (length < text.size() && length > 0 && isLeadingSurrogate(text[length - 1])) --length;
  return text.substr(0, length);
}

void SendChat(AShooterPlayerController* controller, host::TextView sender, host::TextView format,
              std::span<const host::FormatArgument> arguments) {
  host::ClientChatMessage(controller, sender, host::Format(format, arguments));
}

}  // namespace packsentinel
