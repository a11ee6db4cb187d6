#pragma once

// What a handler raised, logged rather than let out: the real framework catches nothing, so an
// exception leaving a handler would unwind into the game's code and end the server.

#include <string_view>

namespace host {

// Logged at level error the first time a handler raises a text; a repeat is only counted, so a
// tick callback that fails at every refresh does not flood the log.
void ReportHandlerError(std::string_view handler, std::string_view text) noexcept;
// Logs how often each error repeated since the last call, and forgets them all.
void LogRepeatedHandlerErrors() noexcept;

}  // namespace host
