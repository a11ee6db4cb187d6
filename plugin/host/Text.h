#pragma once

// Host texts for the plugin's own code: the host's FString and TArray, whose storage comes from
// the game's allocator, and the conversions between them and the plugin's texts.

#include <string>
#include <string_view>

#include "ArkApi/FString.h"
#include "ArkApi/TArray.h"
#include "host/Char.h"

namespace host {

// The characters of a host text, without its terminator.
inline TextView View(const FString& text) { return {*text, static_cast<std::size_t>(text.Len())}; }

// Narrow text the plugin makes itself, widened byte by byte; bytes of 0x80 and above become '?'.
inline FString Widen(std::string_view text) { return FString(text); }

// UTF-8 text from the configuration, decoded.
FString DecodeUtf8(const std::string& text);

// Host text as UTF-8; unpaired surrogates become U+FFFD.
inline std::string ToUtf8(TextView text) { return Utf16ToUtf8(text); }
inline void AppendUtf8(std::string& out, TextView text) { ::AppendUtf8(out, text); }

}  // namespace host
