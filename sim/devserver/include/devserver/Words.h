#pragma once

// Scenario lines: words separated by spaces, a double-quoted part may hold spaces.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace devserver {

// A scenario line that cannot be run.
class ScenarioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Word {
  std::string text;
  std::size_t end = 0;  // offset just past the word in the line
};

// Stops after maxWords words, so free text after them is never parsed.
std::vector<Word> SplitWords(std::string_view line, std::size_t maxWords = SIZE_MAX);

// What follows the single space after word `index`, verbatim ("" when nothing does).
std::string_view RestAfter(std::string_view line, const std::vector<Word>& words,
                           std::size_t index);

// "G1,G2" as its items, empty ones left out; "-" for none.
std::vector<std::string> SplitList(std::string_view text);

// The lines of a text split at line feeds; a final line feed ends the last line rather than
// starting an empty one.
std::vector<std::string_view> SplitLines(std::string_view text);

long long ParseInteger(std::string_view text, long long min, long long max);
std::int32_t ParseInt32(std::string_view text);
unsigned long long ParseUnsigned(std::string_view text);
// Finite numbers only: nan or inf would reach the game and the printed events.
float ParseFloat(std::string_view text);

// Scenario text as an error quotes it: at most maxCharacters characters, then "…", with
// control characters shown as \xHH so that a stray one is seen.
std::string Excerpt(std::string_view text, std::size_t maxCharacters = 40);
// A text's lines, each whole and printable as Excerpt shows it.
std::vector<std::string> PrintableLines(std::string_view text);
// "; did you mean X?" for the candidate a misspelt word is nearest, when it is near enough to
// be what was meant (a letter or two wrong, missing, extra or swapped, letter case aside); ""
// otherwise.
std::string DidYouMean(std::string_view word, const std::vector<std::string_view>& candidates);
// Characters of UTF-8 text, not bytes: the width it takes.
std::size_t Characters(std::string_view text);

}  // namespace devserver
