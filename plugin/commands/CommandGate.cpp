#include "commands/CommandGate.h"

#include "commands/Reply.h"
#include "commands/TrackLimit.h"
#include "core/Config.h"
#include "host/Game.h"

namespace packsentinel {

nlohmann::json& CommandSection(const char* commandKey) { return Config["Commands"][commandKey]; }

std::optional<Words> PassGate(AShooterPlayerController* controller, const FString* line,
                              const char* commandKey) {
  auto& section = CommandSection(commandKey);
  if (!section["Enabled"].get<bool>()) return std::nullopt;
  const auto groups = section["AllowedGroups"].get<std::vector<std::string>>();
  if (!HasCommandPermission(host::GetPlayerId(controller), groups)) {
    SendChatReply(controller, "NoPermissions");
    return std::nullopt;
  }
  return SplitWords(line->View());
}

void SendUsage(AShooterPlayerController* controller, const char* commandKey,
               const char* messageKey) {
  SendChatReply(controller, messageKey, CommandSection(commandKey)["Command"].get<std::string>());
}

}  // namespace packsentinel
