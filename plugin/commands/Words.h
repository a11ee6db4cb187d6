#pragma once

// The words of a chat line and what the commands read from them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Char.h"

namespace packsentinel {

using Words = std::vector<host::TextView>;

// Split at spaces (U+0020 only); runs of spaces give no empty words. Views into the line.
Words SplitWords(host::TextView line);

// The words [first, last) joined with single spaces.
host::String JoinWords(const Words& words, std::size_t first, std::size_t last);

// A word of ASCII digits only is a level; one too large for 32 bits is a level no creature has.
struct LevelWord {
  bool isLevel = false;
  std::optional<std::int32_t> level;  // none for a level beyond the 32-bit range
};
LevelWord ReadLevelWord(host::TextView word);

// Lower-cased byte by byte, ASCII letters only.
std::string ToLowerAscii(std::string text);

// Whether name contains text, ASCII letter case ignored. The text comes lowered already
// (LowerAscii, core/AsciiCase.h): a search lowers what it looks for once, not at every name. An
// empty text matches no name.
bool NameContains(host::TextView name, host::TextView loweredText);

}  // namespace packsentinel
