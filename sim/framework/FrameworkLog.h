#pragma once

#include <string>

namespace framework {

// Sends the formatted log lines to ArkApi/Logs/ArkApi.log under dir; throws, naming it, when
// something other than a regular file stands there.
void AttachLogFile(const std::string& dir);

}  // namespace framework
