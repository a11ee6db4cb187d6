#include "commands/CommandGate.h"

#include <json.hpp>

#include "commands/Reply.h"
#include "commands/TrackLimit.h"
#include "core/Config.h"
#include "host/Game.h"
#include "host/Text.h"

namespace packsentinel {

nlohmann::json& SectionOf(const schema::CommandSection& command) {
  return Config[schema::kCommands][command.key];
}

std::optional<Words> PassGate(AShooterPlayerController* controller, host::TextView line,
                              const schema::CommandSection& command) {
  auto& section = SectionOf(command);
  if (!section[schema::kEnabled].get<bool>()) return std::nullopt;
  const auto groups = section[schema::kAllowedGroups].get<std::vector<std::string>>();
  if (!HasCommandPermission(host::GetPlayerId(controller), groups)) {
    SendChatReply(controller, schema::kNoPermissions);
    return std::nullopt;
  }
  return SplitWords(line);
}

void SendUsage(AShooterPlayerController* controller, const schema::CommandSection& command,
               const schema::MessageSchema& usage) {
  // Widened as it was for registration, so the reply names the word that really works.
  const host::String word =
      host::Widen(SectionOf(command)[schema::kCommandWord].get<std::string>());
  SendChatReply(controller, usage, host::TextView(word));
}

}  // namespace packsentinel
