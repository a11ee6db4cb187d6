#pragma once

// What a message's replacement field may hold after its colon: only what the game server's
// formatter (the fmt 4.1 bundled with the framework) and the one packsentinel-check formats with
// (fmt 9) both take, and format alike, for the kind of argument the field shows. Beyond it they
// part: fmt 4.1 pads "{:<05}" with zeros after the sign where fmt 9 pads to the right, shows 0 as
// "00" under "{:#o}", takes "{:n}" and "{:=5}" for a number where fmt 9 refuses them, refuses
// "{:c}" where fmt 9 takes it, and words every refusal otherwise.

#include <string_view>

#include "config/Schema.h"
#include "host/Char.h"

namespace packsentinel {

bool IsSharedFieldFormat(host::TextView format, schema::ArgumentKind kind);

// What a field may hold for that kind of argument, in words.
std::string_view SharedFieldFormats(schema::ArgumentKind kind);

}  // namespace packsentinel
