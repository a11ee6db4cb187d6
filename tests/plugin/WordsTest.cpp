// Splitting a chat line into words, and reading a switch's word.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/Words.h"

namespace {

using packsentinel::ReadSwitch;
using packsentinel::SplitWords;
using packsentinel::Switch;

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
TEST(WordsTest, ReadsASwitchInAnyLetterCase) {
  const struct {
    std::u16string_view word;
    Switch read;
  } cases[] = {
      {u"on", Switch::On},     {u"ON", Switch::On},           {u"oFf", Switch::Off},
      {u"o", Switch::Neither}, {u"onn", Switch::Neither},     {u"on ", Switch::Neither},
      {u"", Switch::Neither},  {u"\u00D3N", Switch::Neither},  // Ó is no O
  };
  for (const auto& c : cases) EXPECT_EQ(ReadSwitch(c.word), c.read) << &c - cases;
}

}  // namespace
