#pragma once

#include <spdlog/logger.h>

#include <string>

namespace framework {

// The framework's own logger ("ArkApi"), over the shared sinks.
spdlog::logger& FrameworkLogger();
// Sends the formatted log lines to ArkApi/Logs/ArkApi.log under dir.
void AttachLogFile(const std::string& dir);

}  // namespace framework
