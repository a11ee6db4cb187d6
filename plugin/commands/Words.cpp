#include "commands/Words.h"

#include <limits>

#include "core/AsciiCase.h"
#include "host/Text.h"

namespace packsentinel {

Words SplitWords(host::TextView line) {
  Words words;
  std::size_t start = 0;
  while (start < line.size()) {
    if (line[start] == HOST_TEXT(' ')) {
      ++start;
      continue;
    }
    const auto end = line.find(HOST_TEXT(' '), start);
    const auto length = (end == host::TextView::npos ? line.size() : end) - start;
    words.push_back(line.substr(start, length));
    start += length;
  }
  return words;
}

host::String JoinWords(const Words& words, std::size_t first, std::size_t last) {
  host::String joined;
  for (std::size_t i = first; i < last; ++i) {
    if (i > first) joined += HOST_TEXT(' ');
    joined += words[i];
  }
  return joined;
}

LevelWord ReadLevelWord(host::TextView word) {
  if (word.empty()) return {};
  std::int64_t value = 0;
  bool fits = true;
  for (const host::Char c : word) {
    if (c < HOST_TEXT('0') || c > HOST_TEXT('9')) return {};
    if (fits) {
      value = value * 10 + (c - HOST_TEXT('0'));
      fits = value <= std::numeric_limits<std::int32_t>::max();
    }
  }
  return {true,
          fits ? std::optional<std::int32_t>(static_cast<std::int32_t>(value)) : std::nullopt};
}

Switch ReadSwitch(host::TextView word) {
  const host::String lowered = LowerAscii(word);
  if (lowered == HOST_TEXT("on")) return Switch::On;
  if (lowered == HOST_TEXT("off")) return Switch::Off;
  return Switch::Neither;
}

NameSearch::NameSearch(host::TextView text)
    : lowered_(LowerAscii(text)), fallback_(lowered_.size() + 1, 0) {
  std::size_t border = 0;
  for (std::size_t i = 1; i < lowered_.size(); ++i) {
    while (border > 0 && lowered_[i] != lowered_[border]) border = fallback_[border];
    if (lowered_[i] == lowered_[border]) ++border;
    fallback_[i + 1] = border;
  }
}

bool NameSearch::FoundIn(host::TextView name) const {
  if (lowered_.empty() || lowered_.size() > name.size()) return false;
  std::size_t matched = 0;
  for (const host::Char c : name) {
    const host::Char lower = LowerAscii(c);
    while (matched > 0 && lower != lowered_[matched]) matched = fallback_[matched];
    if (lower == lowered_[matched] && ++matched == lowered_.size()) return true;
  }
  return false;
}

}  // namespace packsentinel
