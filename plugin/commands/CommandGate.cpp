#include "commands/CommandGate.h"

#include "commands/Reply.h"
#include "commands/TrackLimit.h"
#include "core/Config.h"
#include "host/Game.h"
#include "host/Text.h"

namespace packsentinel {

nlohmann::json& CommandSection(const char* commandKey) { return Config["Commands"][commandKey]; }

std::optional<Words> PassGate(AShooterPlayerController* controller, host::TextView line,
                              const char* commandKey) {
  auto& section = CommandSection(commandKey);
  if (!section["Enabled"].get<bool>()) return std::nullopt;
  const auto groups = section["AllowedGroups"].get<std::vector<std::string>>();
  if (!HasCommandPermission(host::GetPlayerId(controller), groups)) {
    SendChatReply(controller, "NoPermissions");
    return std::nullopt;
  }
  return SplitWords(line);
}

void SendUsage(AShooterPlayerController* controller, const char* commandKey,
               const char* messageKey) {
  // Widened as it was for registration, so the reply names the word that really works.
  const host::String word = host::Widen(CommandSection(commandKey)["Command"].get<std::string>());
  SendChatReply(controller, messageKey, host::TextView(word));
}

}  // namespace packsentinel
