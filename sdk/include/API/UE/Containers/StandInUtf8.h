#pragma once

// Not a framework header: the stand-in's conversion of the game's 16-bit text to UTF-8, which
// the real framework leaves to Windows. FString::ToString and ArkApi::Tools::Utf8Encode share
// it; plugins must not include it.

#include <cstddef>
#include <string>

namespace ArkApiStandIn {

// Appends UTF-16 units as UTF-8. A unit type wider than 16 bits may also hold a whole code
// point. Unpaired surrogates and values past U+10FFFF become U+FFFD.
template <typename Unit>
void AppendUtf8(std::string& out, const Unit* units, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = static_cast<char32_t>(units[i]);
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(units[i + 1]) - 0xDC00);
      ++i;
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

}  // namespace ArkApiStandIn
