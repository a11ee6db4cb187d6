#pragma once

// Whether a "Messages" template can be sent: formatted once with sample arguments of the kinds
// its key is sent with, as the replies format it.

#include <optional>
#include <span>
#include <string>

#include "config/Schema.h"

namespace packsentinel {

// Why the UTF-8 template cannot be sent with these arguments; nothing when it can. Widths and
// precisions are bounded before anything is formatted, so no template makes the check itself
// allocate or spin.
std::optional<std::string> CheckMessageFormat(const std::string& text,
                                              std::span<const schema::MessageArgument> arguments);

// The same bound for a text sent as it stands.
std::optional<std::string> CheckMessageLength(const std::string& text);

}  // namespace packsentinel
