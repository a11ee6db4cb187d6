#pragma once

// Chat replies: a "Messages" template (or a fixed text) formatted with arguments, sent as a
// chat line from the "MessageSender" name.

#include <string>

#include "core/Config.h"
#include "host/Format.h"

namespace packsentinel {

// A reply text given by the code rather than the configuration.
struct FixedText {
  const char* format;
};

void SendChat(AShooterPlayerController* controller, const FString& sender, const FString& text);

template <typename... Args>
void SendChatReply(AShooterPlayerController* controller, const std::string& messageKey,
                   const Args&... args) {
  const FString format = GetMessage(messageKey);
  const FString sender = GetMessage("MessageSender");
  if (controller == nullptr) return;
  SendChat(controller, sender, host::Format(host::View(format), args...));
}

template <typename... Args>
void SendChatReply(AShooterPlayerController* controller, FixedText text, const Args&... args) {
  const FString sender = GetMessage("MessageSender");
  if (controller == nullptr) return;
  SendChat(controller, sender, host::Format(text.format, args...));
}

}  // namespace packsentinel
