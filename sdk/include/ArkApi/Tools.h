#pragma once

#include <string>

#include "ArkApi/BasicTypes.h"
#include "ArkApi/Export.h"

namespace ArkApi::Tools {

// The folder of the server's executable, under which the framework keeps ArkApi/Plugins/. Not the
// process's working folder: a server started from elsewhere still finds its plugins.
ARKAPI_EXPORT std::string GetCurrentDir();
// UTF-8 to the game's wide text; malformed bytes become U+FFFD.
ARKAPI_EXPORT std::basic_string<TCHAR> Utf8Decode(const std::string& text);

}  // namespace ArkApi::Tools
