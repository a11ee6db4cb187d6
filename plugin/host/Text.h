#pragma once

// Host texts and arrays for the plugin's own code: the host's FString and TArray, whose
// storage comes from the game's allocator.

#include <string>
#include <string_view>

#include "ArkApi/FString.h"
#include "ArkApi/TArray.h"

namespace host {

// Narrow text the plugin makes itself, widened byte by byte; bytes of 0x80 and above become '?'.
inline FString Widen(std::string_view text) { return FString(text); }

// UTF-8 text from the configuration, decoded.
FString DecodeUtf8(const std::string& text);

}  // namespace host
