#pragma once

// The framework's own lines in the shared log, under the logger "ArkApi", as its loader writes
// them. Text only: no spdlog type crosses the library's edge, since the library's spdlog is the
// plugins' (sim/framework/Logging.cpp) and may not be the caller's.

#include <API/Base.h>

#include <string>

namespace framework {

ARK_API void LogFrameworkError(const std::string& text);

}  // namespace framework
