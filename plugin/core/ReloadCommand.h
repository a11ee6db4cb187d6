#pragma once

// The console command "Packsentinel.Reload": rereads config.json and tells the issuer.

#include <cstdint>

#include "host/Text.h"

namespace packsentinel {

struct Colour {
  std::uint8_t red, green, blue, alpha;
};

void ReloadConfigCommand(APlayerController* issuer, FString* line, bool flag);

// A coloured server line to one player; nothing without a player.
void SendServerReply(AShooterPlayerController* controller, Colour colour, const FString& text);

}  // namespace packsentinel
