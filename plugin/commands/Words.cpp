#include "commands/Words.h"

#include <limits>

#include "core/AsciiCase.h"
#include "host/Text.h"

namespace packsentinel {

Words SplitWords(std::u16string_view line) {
  Words words;
  std::size_t start = 0;
  while (start < line.size()) {
    if (line[start] == u' ') {
      ++start;
      continue;
    }
    const auto end = line.find(u' ', start);
    const auto length = (end == std::u16string_view::npos ? line.size() : end) - start;
    words.push_back(line.substr(start, length));
    start += length;
  }
  return words;
}

std::u16string JoinWords(const Words& words, std::size_t first, std::size_t last) {
  std::u16string joined;
  for (std::size_t i = first; i < last; ++i) {
    if (i > first) joined += u' ';
    joined += words[i];
  }
  return joined;
}

LevelWord ReadLevelWord(std::u16string_view word) {
  if (word.empty()) return {};
  std::int64_t value = 0;
  bool fits = true;
  for (const char16_t c : word) {
    if (c < u'0' || c > u'9') return {};
    if (fits) {
      value = value * 10 + (c - u'0');
      fits = value <= std::numeric_limits<int32>::max();
    }
  }
  return {true, fits ? std::optional<int32>(static_cast<int32>(value)) : std::nullopt};
}

std::string ToUtf8(std::u16string_view word) { return Utf16ToUtf8(word); }

std::string ToLowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool NameContains(std::u16string_view name, std::u16string_view loweredText) {
  if (loweredText.empty() || loweredText.size() > name.size()) return false;
  for (std::size_t at = 0; at + loweredText.size() <= name.size(); ++at) {
    std::size_t i = 0;
    while (i < loweredText.size() && LowerAscii(name[at + i]) == loweredText[i]) ++i;
    if (i == loweredText.size()) return true;
  }
  return false;
}

}  // namespace packsentinel
