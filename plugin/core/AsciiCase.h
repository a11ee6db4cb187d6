#pragma once

// Letter case as the C locale knows it: ASCII letters only.

#include <string>
#include <string_view>
#include <type_traits>

#include "host/Char.h"

namespace packsentinel {

// A character of any width: a byte of UTF-8 or a character of the game's text.
template <typename C>
requires std::is_integral_v<C>
constexpr C LowerAscii(C c) {
  return c >= C{'A'} && c <= C{'Z'} ? static_cast<C>(c + (C{'a'} - C{'A'})) : c;
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
