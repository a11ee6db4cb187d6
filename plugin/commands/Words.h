#pragma once

// The words of a chat line and what the commands read from them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ArkApi/BasicTypes.h"

namespace packsentinel {

using Words = std::vector<std::u16string_view>;

// Split at spaces (U+0020 only); runs of spaces give no empty words. Views into the line.
Words SplitWords(std::u16string_view line);

// The words [first, last) joined with single spaces.
std::u16string JoinWords(const Words& words, std::size_t first, std::size_t last);

// A word of ASCII digits only is a level; one too large for 32 bits is a level no creature has.
struct LevelWord {
  bool isLevel = false;
  std::optional<int32> level;  // none for a level beyond the 32-bit range
};
LevelWord ReadLevelWord(std::u16string_view word);

// A word as UTF-8 text, for replies and for comparing with "on" and "off".
std::string ToUtf8(std::u16string_view word);
// Lower-cased byte by byte, ASCII letters only.
std::string ToLowerAscii(std::string text);

// Whether name contains text, ASCII letter case ignored. The text comes lowered already
// (LowerAscii, core/AsciiCase.h): a search lowers what it looks for once, not at every name. An
// empty text matches no name.
bool NameContains(std::u16string_view name, std::u16string_view loweredText);

}  // namespace packsentinel
