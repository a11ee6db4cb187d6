#pragma once

// Whether a "Messages" template can be sent: formatted once with the longest arguments of the
// kinds its key is sent with, as the replies format it, so that no reply can come out longer.

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

// Whether a text used as it stands (a message or a label template) keeps within limit
// characters.
std::optional<std::string> CheckTextLength(const std::string& text, int limit);

}  // namespace packsentinel
