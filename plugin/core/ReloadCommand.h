#pragma once

// "Packsentinel.Reload", from a player's console or over RCON: rereads config.json and tells the
// issuer.

#include <cstdint>

#include "host/Char.h"
#include "host/Framework.h"
#include "host/GameTypes.h"

namespace packsentinel {

struct Colour {
  std::uint8_t red, green, blue, alpha;
};

void ReloadConfigCommand(AShooterPlayerController* issuer, host::TextView line, bool flag);
// The same texts, uncoloured, as responses over the RCON connection.
void ReloadConfigRconCommand(const host::RconRequest& request, host::TextView line);

// A coloured server line to one player; nothing without a player.
void SendServerReply(AShooterPlayerController* controller, Colour colour, host::TextView text);

}  // namespace packsentinel
