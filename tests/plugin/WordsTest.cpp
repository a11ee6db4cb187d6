// Splitting a chat line into words, and lowering a word to compare it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/Words.h"

namespace {

using packsentinel::SplitWords;
using packsentinel::ToLowerAscii;

TEST(WordsTest, SplitAtSpacesOnly) {
  const struct {
    std::u16string line;
    std::vector<std::u16string_view> words;
  } cases[] = {
      {u"/trackdino  giga   rex ", {u"/trackdino", u"giga", u"rex"}},
      {u"   /stoptrack", {u"/stoptrack"}},
      {u"/a\tb\u00a0c d", {u"/a\tb\u00a0c", u"d"}},
      // A tab is part of a word, also where it begins or ends one.
      {u"/trackdino \trex", {u"/trackdino", u"\trex"}},
      {u"\t/a b\t", {u"\t/a", u"b\t"}},
      {u"/trackdino rex 150", {u"/trackdino", u"rex", u"150"}},
      {u"    ", {}},
      {u"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitWords(c.line), c.words);
}

// "on" and "off" are read in any letter case; only A to Z are letters to fold.
TEST(WordsTest, LowersAsciiLettersOnly) {
  const struct {
    const char* word;
    const char* lowered;
  } cases[] = {
      {"ON", "on"},
      {"oFf", "off"},
      {"AZaz", "azaz"},
      {"@[`{", "@[`{"},
      {"\xC3\x89T\xC3\x89", "\xC3\x89t\xC3\x89"},  // É stays as its two bytes
  };
  for (const auto& c : cases) EXPECT_EQ(ToLowerAscii(c.word), c.lowered) << c.word;
}

}  // namespace
