// What a TrackWildDinos line asks for, and which creatures it matches.

#include <gtest/gtest.h>

#include "commands/WildCreature.h"
#include "host/Text.h"
#include "support/GameFixture.h"

namespace {

using namespace packsentinel;

class WildCreatureTest : public testing_support::GameFixture {
 protected:
  APrimalDinoCharacter* Spawn(const std::string& name, std::int32_t level, std::int32_t team = 0) {
    return reinterpret_cast<APrimalDinoCharacter*>(game.SpawnDino({"", name, level, team, {}}));
  }
};

TEST_F(WildCreatureTest, ReadsNameAndLevelFromTheWords) {
  const struct {
    std::u16string_view line;
    const char* name;
    bool isLevel;
    std::optional<std::int32_t> level;
  } cases[] = {
      {u"/t rex", "rex", false, std::nullopt},
      {u"/t  giga   rex  150 ", "giga rex", true, 150},
      {u"/t giga rex", "giga rex", false, std::nullopt},
      {u"/t 150", "", true, 150},
      {u"/t rex 15a", "rex 15a", false, std::nullopt},
      {u"/t rex 007", "rex", true, 7},
      {u"/t rex 0", "rex", true, 0},
      {u"/t rex 2147483647", "rex", true, 2147483647},
      {u"/t rex 00000000000000000000002147483647", "rex", true, 2147483647},
      // Beyond 32 bits: a level, but one no creature has; 2^32 + 7 is not 7.
      {u"/t rex 2147483648", "rex", true, std::nullopt},
      {u"/t rex 4294967303", "rex", true, std::nullopt},
      {u"/t rex -5", "rex -5", false, std::nullopt},
      {u"/t rex +5", "rex +5", false, std::nullopt},
      // Only ASCII digits are digits: fullwidth 5 is part of the name.
      {u"/t rex \uFF15", "rex \xEF\xBC\x95", false, std::nullopt},
      {u"/t rex\t150", "rex\t150", false, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto request = ReadCreatureRequest(SplitWords(c.line));
    const std::string line = host::ToUtf8(c.line);
    EXPECT_EQ(host::ToUtf8(request.name), c.name) << line;
    EXPECT_EQ(request.level.isLevel, c.isLevel) << line;
    EXPECT_EQ(request.level.level, c.level) << line;
  }
}

TEST_F(WildCreatureTest, MatchesNameIgnoringAsciiCaseAndTheLevel) {
  const struct {
    std::u16string_view line;
    const char* creature;
    std::int32_t level;
    bool matches;
  } cases[] = {
      {u"/t rex", "Rex", 1, true},
      {u"/t rex", "REX", 1, true},
      {u"/t REX", "T-Rex", 1, true},
      {u"/t rex", "Alpha rEx Hunter", 1, true},
      {u"/t rex", "Re", 1, false},
      {u"/t rex", "R ex", 1, false},
      // A failed partial match may hold the start of the real one.
      {u"/t aab", "AAAB", 1, true},
      {u"/t abab", "abaabab", 1, true},
      {u"/t abcabd", "xabcabcabd", 1, true},
      {u"/t aaa", "aabaa", 1, false},
      {u"/t rex", "", 1, false},
      {u"/t giga rex", "Giga Rex", 1, true},
      {u"/t giga rex", "Giga  Rex", 1, false},
      {u"/t rex 150", "Rex", 150, true},
      {u"/t rex 150", "Rex", 149, false},
      {u"/t rex 007", "Rex", 7, true},
      {u"/t 150", "Rex", 150, false},
      {u"/t rex 15a", "Rex 15A", 3, true},
      {u"/t rex 4294967303", "Rex", 7, false},
      // Every ASCII letter folds, A and Z included, on either side...
      {u"/t lizard", "GIANT LIZARD", 1, true},
      {u"/t ZEBRA ALPHA", "zebra alpha", 1, true},
      // ...and the characters just beside them do not: @ [ ` { are four different ones.
      {u"/t @", "`", 1, false},
      {u"/t [", "{", 1, false},
      // Case is folded for ASCII letters only.
      {u"/t \u00E9l\u00E9phant", "\u00C9L\u00C9PHANT", 1, false},
      {u"/t \u00E9l\u00E9phant", "\u00E9L\u00E9PHANT", 1, true},
  };
  for (const auto& c : cases) {
    const auto request = ReadCreatureRequest(SplitWords(c.line));
    APrimalDinoCharacter* dino = Spawn(c.creature, c.level);
    EXPECT_EQ(request.NameMatches(host::GetDescriptiveName(dino)) && request.LevelMatches(dino),
              c.matches)
        << host::ToUtf8(c.line) << " / " << c.creature << " " << c.level;
  }
}

TEST_F(WildCreatureTest, WildIsTeam10000OrBelow) {
  const struct {
    std::int32_t team;
    bool wild;
  } cases[] = {{0, true}, {-5, true}, {10000, true}, {10001, false}, {50000, false}};
  for (const auto& c : cases) EXPECT_EQ(IsWild(Spawn("Rex", 1, c.team)), c.wild) << c.team;
}

}  // namespace
