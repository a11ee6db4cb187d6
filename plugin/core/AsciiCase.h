#pragma once

// Letter case as the C locale knows it: ASCII letters only.

#include <string>
#include <string_view>

namespace packsentinel {

inline char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

inline std::u16string LowerAscii(std::u16string_view text) {
  std::u16string lowered(text);
  for (char16_t& c : lowered) c = LowerAscii(c);
  return lowered;
}

// Equal in length and in every character, ASCII letter case ignored.
inline bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace packsentinel
