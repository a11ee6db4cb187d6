#pragma once

// Chat replies: a "Messages" template (or a fixed text) formatted with arguments, sent as a
// chat line from the "MessageSender" name.

#include <array>
#include <string>

#include "core/Config.h"
#include "host/Format.h"
#include "host/GameTypes.h"
#include "host/Text.h"

namespace packsentinel {

// A reply text given by the code rather than the configuration.
struct FixedText {
  const char* format;
};

// A text as a reply repeats it: cut to schema::kEchoedTextLimit characters (never between the
// two halves of a surrogate pair), the bound the configuration check counts on, so that no chat
// line makes a reply longer than the check allowed.
host::TextView Echoed(host::TextView text);
inline std::int32_t Echoed(std::int32_t number) { return number; }

// Formats the template with the arguments (texts and 32-bit numbers) and sends it.
void SendChat(AShooterPlayerController* controller, host::TextView sender, host::TextView format,
              std::span<const host::FormatArgument> arguments);

template <typename... Args>
void SendChatReply(AShooterPlayerController* controller, const schema::MessageSchema& message,
                   const Args&... args) {
  const host::String format = GetMessage(message);
  const host::String sender = GetMessage(schema::kMessageSender);
  if (controller == nullptr) return;
  const std::array<host::FormatArgument, sizeof...(Args)> arguments{
      host::FormatArgument(Echoed(args))...};
  SendChat(controller, sender, format, arguments);
}

template <typename... Args>
void SendChatReply(AShooterPlayerController* controller, FixedText text, const Args&... args) {
  const host::String sender = GetMessage(schema::kMessageSender);
  if (controller == nullptr) return;
  const std::array<host::FormatArgument, sizeof...(Args)> arguments{
      host::FormatArgument(Echoed(args))...};
  SendChat(controller, sender, host::Widen(text.format), arguments);
}

}  // namespace packsentinel
