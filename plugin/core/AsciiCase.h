#pragma once

// Letter case as the C locale knows it: ASCII letters only.

#include <string>
#include <string_view>

#include "host/Char.h"

namespace packsentinel {

inline host::Char LowerAscii(host::Char c) {
  return c >= HOST_TEXT('A') && c <= HOST_TEXT('Z') ? c + (HOST_TEXT('a') - HOST_TEXT('A')) : c;
}

inline host::String LowerAscii(host::TextView text) {
  host::String lowered(text);
  for (host::Char& c : lowered) c = LowerAscii(c);
  return lowered;
}

// Equal in length and in every character, ASCII letter case ignored.
inline bool EqualsIgnoringAsciiCase(host::TextView a, host::TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace packsentinel
