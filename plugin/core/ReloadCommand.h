#pragma once

// The console command "Packsentinel.Reload": rereads config.json and tells the issuer.

#include <cstdint>

#include "host/Char.h"
#include "host/GameTypes.h"

namespace packsentinel {

struct Colour {
  std::uint8_t red, green, blue, alpha;
};

void ReloadConfigCommand(AShooterPlayerController* issuer, host::TextView line, bool flag);

// A coloured server line to one player; nothing without a player.
void SendServerReply(AShooterPlayerController* controller, Colour colour, host::TextView text);

}  // namespace packsentinel
