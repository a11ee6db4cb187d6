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

// How the switch commands read their argument: "on" or "off", ASCII letter case ignored.
enum class Switch { On, Off, Neither };
Switch ReadSwitch(host::TextView word);

// A text looked for in names, ASCII letter case ignored; an empty text matches no name. It is
// prepared once per search, so that each name is read once, in time proportional to its length
// whatever the two hold: a search tests the names of every creature on the map.
class NameSearch {
 public:
  NameSearch() = default;
  explicit NameSearch(host::TextView text);

  bool FoundIn(host::TextView name) const;

 private:
  host::String lowered_;
  // After a mismatch with `matched` characters matched, the longest start of the text that
  // ends what was matched: the match goes on from there.
  std::vector<std::size_t> fallback_;
};

}  // namespace packsentinel
