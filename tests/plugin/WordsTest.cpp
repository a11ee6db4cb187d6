// Splitting a chat line into words.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/Words.h"

namespace {

using packsentinel::SplitWords;

TEST(WordsTest, SplitAtSpacesOnly) {
  const struct {
    std::u16string line;
    std::vector<std::u16string_view> words;
  } cases[] = {
      {u"/trackdino  giga   rex ", {u"/trackdino", u"giga", u"rex"}},
      {u"   /stoptrack", {u"/stoptrack"}},
      {u"/a\tb\u00a0c d", {u"/a\tb\u00a0c", u"d"}},
      {u"/trackdino rex 150", {u"/trackdino", u"rex", u"150"}},
      {u"    ", {}},
      {u"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitWords(c.line), c.words);
}

}  // namespace
