#pragma once

#include <string>

namespace framework {

// Sends the formatted log lines to ArkApi/Logs/ArkApi.log under dir.
void AttachLogFile(const std::string& dir);

}  // namespace framework
