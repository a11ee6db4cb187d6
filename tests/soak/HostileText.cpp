#include "soak/HostileText.h"

#include <array>

namespace soak {
namespace {

constexpr std::array kPieces = {
    // braces and placeholders, for message formatting and label templates
    "{}", "{:>99}", "{0}", "{1}", "{2}", "{{", "}}", "{", "}", "{:>4001}", "{:.{}}", "{:{}}",
    "%s%n%x", "{dinoName}", "{SPACES}", "{playerName}",
    // control characters
    "\t", "\x01", "\x1b[31m", "\x7f", "\x02\x03",
    // beyond ASCII, and bytes that are no UTF-8 at all
    "ü", "ÄRGER", "日本語", "🦖", "Ω≈ç√", "\xff\xfe", "\xc3",
    // numbers, for the level word
    "0", "-1", "1", "150", "2147483647", "2147483648", "99999999999999999999", "+5", "5.5", "1e3",
    "٣", "０", "00000000000000000000000007",
    // the words tribe and mates commands take
    "on", "off", "ON", "oFf", ""};

constexpr std::array kNameSuffixes = {
    "", "", "", "", "{}", "ü", "{:>9}", "%s", "{playerName}", "_日本", "🦖", "{{"};

constexpr std::array kCreatureNames = {
    "Rex",  "Raptor",   "Alpha Rex",  "Dodo",       "Pteranodon", "Ärgerlicher Dodo",
    "恐竜", "🦖 Rex", "{}",         "{dinoName}", "{:>99}",     "{{Rex}}",
    "%s%n", "",         "  spaced  ", "{spaces}",   "\tTab Rex",  "Rex\x01"};

template <typename Container>
auto PickFrom(std::mt19937& random, const Container& choices) {
  return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
}

std::string HugeWord(std::mt19937& random) {
  const std::size_t length = PickFrom(random, std::array<std::size_t, 3>{300, 4000, 20000});
  std::string word;
  const std::string unit = PickFrom(random, std::array{"x", "ü", "{}", "{0}"});
  while (word.size() < length) word += unit;
  return word;
}

std::string Word(std::mt19937& random, std::span<const std::string> names) {
  const int kind = std::uniform_int_distribution(0, 29)(random);
  if (kind == 0) return HugeWord(random);
  if (kind < 14 && !names.empty()) return PickFrom(random, names);
  if (kind < 17) return std::to_string(std::uniform_int_distribution(-5, 200)(random));
  return PickFrom(random, kPieces);
}

std::string Spaces(std::mt19937& random) {
  return std::string(std::bernoulli_distribution(0.1)(random)
                         ? std::uniform_int_distribution<std::size_t>(2, 40)(random)
                         : 1,
                     ' ');
}

}  // namespace

std::string HostileArguments(std::mt19937& random, std::span<const std::string> names) {
  const int count = PickFrom(random, std::array{0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 12});
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += Spaces(random);
    text += Word(random, names);
  }
  if (std::bernoulli_distribution(0.1)(random)) text += Spaces(random);
  // A line of megabytes: no reply may grow with it.
  if (std::bernoulli_distribution(0.003)(random)) {
    text += std::string(std::uniform_int_distribution<std::size_t>(1 << 20, 4 << 20)(random), 'W');
  }
  return text;
}

std::string TypedWord(std::mt19937& random, const std::string& word) {
  std::string typed = std::bernoulli_distribution(0.05)(random) ? Spaces(random) : "";
  const bool mixCase = std::bernoulli_distribution(0.2)(random);
  for (const char c : word) {
    const bool flip = mixCase && std::bernoulli_distribution(0.5)(random);
    typed += flip && c >= 'a' && c <= 'z'   ? static_cast<char>(c - 32)
             : flip && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32)
                                            : c;
  }
  return typed;
}

std::string HostileNameSuffix(std::mt19937& random) { return PickFrom(random, kNameSuffixes); }

std::string HostileCreatureName(std::mt19937& random) {
  if (std::bernoulli_distribution(0.02)(random)) return std::string(100, 'R') + "ex";
  return PickFrom(random, kCreatureNames);
}

}  // namespace soak
