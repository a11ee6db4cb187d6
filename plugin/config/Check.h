#pragma once

// The one validation of a parsed config.json, used at load, at reload and by
// packsentinel-check: every problem at once, each at its JSON pointer.

#include <cstdint>
#include "config/JsonFwd.h"

#include "config/Problems.h"

namespace packsentinel {

ConfigProblems CheckConfig(const nlohmann::json& document);

// The same for a document about to replace the one in force, and also what it changes that
// only the next start applies: the label period.
ConfigProblems CheckReload(const nlohmann::json& document, std::int32_t periodInForce);

}  // namespace packsentinel
