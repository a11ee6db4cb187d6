#pragma once

#include <string>

#include "ArkApi/BasicTypes.h"
#include "ArkApi/Export.h"

namespace ArkApi::Tools {

// The server's working directory.
ARKAPI_EXPORT std::string GetCurrentDir();
// UTF-8 to the game's wide text; malformed bytes become U+FFFD.
ARKAPI_EXPORT std::u16string Utf8Decode(const std::string& text);

}  // namespace ArkApi::Tools
