#pragma once

// What the parse of config.json passes over without a word: text after the first JSON value,
// and a key given twice in one object, of which the last is used. Both are usually editing
// slips, so the checks warn of them; the configuration still loads.

#include <cstddef>
#include <string_view>

#include "config/Problems.h"

namespace packsentinel {

// text holds a JSON value from its start to valueEnd (the parser's stopping point).
ConfigProblems FindIgnoredParts(std::string_view text, std::size_t valueEnd);

}  // namespace packsentinel
