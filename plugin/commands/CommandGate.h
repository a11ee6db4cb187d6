#pragma once

// The opening the four gated commands share: the switch, the permission test and the words.

#include "config/JsonFwd.h"
#include <optional>

#include "commands/Words.h"
#include "config/Schema.h"
#include "host/Char.h"
#include "host/GameTypes.h"

namespace packsentinel {

// The command's section of the configuration in force, looked up in place.
nlohmann::json& SectionOf(const schema::CommandSection& command);

// None when the handler is to end: the command is switched off (nothing is sent) or the
// player is in none of its groups (he reads "NoPermissions"). Otherwise the line's words, the
// command word first.
std::optional<Words> PassGate(AShooterPlayerController* controller, host::TextView line,
                              const schema::CommandSection& command);

// The usage reply, which names the command's configured word.
void SendUsage(AShooterPlayerController* controller, const schema::CommandSection& command,
               const schema::MessageSchema& usage);

}  // namespace packsentinel
