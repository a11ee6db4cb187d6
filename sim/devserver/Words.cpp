#include "devserver/Words.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace devserver {

std::vector<Word> SplitWords(std::string_view line, std::size_t maxWords) {
  std::vector<Word> words;
  std::string current;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size() && words.size() < maxWords; ++i) {
    const char c = line[i];
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == ' ' && !quoted) {
      if (inWord) words.push_back({std::move(current), i});
      current.clear();
      inWord = false;
    } else {
      current += c;
      inWord = true;
    }
  }
  if (words.size() == maxWords) return words;
  if (quoted) throw ScenarioError("unterminated quote");
  if (inWord) words.push_back({std::move(current), line.size()});
  return words;
}

std::string_view RestAfter(std::string_view line, const std::vector<Word>& words,
                           std::size_t index) {
  const std::size_t start = words[index].end + 1;
  return start <= line.size() ? line.substr(start) : std::string_view{};
}

long long ParseInteger(std::string_view text, long long min, long long max) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < min || value > max) {
    throw ScenarioError(fmt::format("not an integer from {} to {}: {}", min, max, Excerpt(text)));
  }
  return value;
}

std::int32_t ParseInt32(std::string_view text) {
  return static_cast<std::int32_t>(ParseInteger(text, INT32_MIN, INT32_MAX));
}

unsigned long long ParseUnsigned(std::string_view text) {
  unsigned long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) {
    throw ScenarioError(fmt::format("not an unsigned 64-bit integer: {}", Excerpt(text)));
  }
  return value;
}

std::vector<std::string> SplitList(std::string_view text) {
  std::vector<std::string> items;
  if (text == "-") return items;
  for (std::size_t start = 0; start <= text.size();) {
    const auto end = std::min(text.find(',', start), text.size());
    if (end > start) items.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  for (std::size_t start = 0; start <= text.size();) {
    const auto end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

float ParseFloat(std::string_view text) {
  float value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) {
    throw ScenarioError(fmt::format("not a number: {}", Excerpt(text)));
  }
  if (!std::isfinite(value)) {
    throw ScenarioError(fmt::format("not a finite number: {}", Excerpt(text)));
  }
  return value;
}

namespace {

// Every byte but a UTF-8 continuation byte.
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

}  // namespace

std::string Excerpt(std::string_view text, std::size_t maxCharacters) {
  std::string out;
  std::size_t characters = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (StartsCharacter(c)) {
      if (characters == maxCharacters) return out + "…";
      ++characters;
    }
    if (byte < 0x20 || byte == 0x7F) {
      out += fmt::format("\\x{:02X}", byte);
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::string> PrintableLines(std::string_view text) {
  std::vector<std::string> lines;
  for (const auto line : SplitLines(text)) lines.push_back(Excerpt(line, SIZE_MAX));
  return lines;
}

namespace {

// Edits from one word to the other, a swap of neighbours counting as one.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + changed});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string DidYouMean(std::string_view word, const std::vector<std::string_view>& candidates) {
  std::string lower(word);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  std::string_view nearest;
  std::size_t best = SIZE_MAX;
  for (const auto candidate : candidates) {
    // A third of a candidate's letters may be wrong, at least one; a word longer or shorter than
    // that allows is never compared, so that a long one costs nothing.
    const std::size_t allowed = std::max<std::size_t>(1, candidate.size() / 3);
    const std::size_t gap = lower.size() > candidate.size() ? lower.size() - candidate.size()
                                                            : candidate.size() - lower.size();
    if (gap > allowed) continue;
    const std::size_t distance = Distance(lower, candidate);
    if (distance <= allowed && distance < best) {
      best = distance;
      nearest = candidate;
    }
  }
  return best == SIZE_MAX ? std::string() : fmt::format("; did you mean {}?", nearest);
}

std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

}  // namespace devserver
