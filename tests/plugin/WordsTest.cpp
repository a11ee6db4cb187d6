// Splitting a chat line into words, reading a switch's word, and finding a typed name in a
// creature's name.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "commands/Words.h"

namespace {

using packsentinel::NameSearch;
using packsentinel::ReadSwitch;
using packsentinel::SplitWords;
using packsentinel::Switch;

// Over a two-letter alphabet every way a partial match can fall back occurs: the search must find
// exactly what a plain search of the lowered texts finds. An empty name is found nowhere.
TEST(WordsTest, NameSearchFindsWhatAPlainSearchFinds) {
  std::mt19937 random(20261208);
  const auto text = [&](int most) {
    std::u16string made(std::uniform_int_distribution<int>(0, most)(random), u'a');
    for (auto& c : made) c = u"abAB"[random() % 4];
    return made;
  };
  const auto lowered = [](std::u16string made) {
    for (auto& c : made) c = c == u'A' ? u'a' : c == u'B' ? u'b' : c;
    return made;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::u16string typed = text(7), name = text(14);
    const bool plain = !typed.empty() && lowered(name).find(lowered(typed)) != std::u16string::npos;
    ASSERT_EQ(NameSearch(typed).FoundIn(name), plain)
        << std::string(typed.begin(), typed.end()) << " in "
        << std::string(name.begin(), name.end());
  }
}

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
