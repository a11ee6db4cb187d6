// The host's text: conversions, counted and appended text, comparisons, formatting and UTF-8 in
// both directions.

#include <API/ARK/Ark.h>

#include <string>
#include <string_view>

#include "support/GameFixture.h"

namespace {

using testing_support::GameFixture;

class HostTextTest : public GameFixture {};

// Every character of the text, terminator and any NUL within included up to Len().
std::u16string_view View(const FString& text) {
  return {*text, static_cast<std::size_t>(text.Len())};
}

// UTF-16 units, one per wchar_t, as the framework's wide strings hold them.
std::wstring Wide(std::u16string_view units) { return std::wstring(units.begin(), units.end()); }

TEST_F(HostTextTest, ConvertsEachCharacterUpToTheFirstNul) {
  const uint16 units[] = {'R', 'e', 0x20AC, 0};
  const struct {
    const char* what;
    FString text;
    std::u16string_view want;
  } cases[] = {
      {"narrow", "Rex 150", u"Rex 150"},
      {"narrow bytes from 0x80 up", "T\xC3\xA4st", u"T??st"},
      {"16-bit", u"T\u00E4st", u"T\u00E4st"},
      {"wide", L"T\u00E4st", u"T\u00E4st"},
      // A 32-bit wchar_t above U+FFFF: a pair, as Windows would hold it.
      {"wide beyond 16 bits", L"\U0001F996!", u"\U0001F996!"},
      {"UCS-2", units, u"Re\u20AC"},
      {"cut at a NUL", u"ab\0cd", u"ab"},
      {"std::string, cut at a NUL", FString(std::string("x\0y", 3)), u"x"},
      {"std::wstring", FString(Wide(u"\U0001F996")), u"\U0001F996"},
      {"none", static_cast<const char*>(nullptr), u""},
  };
  for (const auto& c : cases) EXPECT_EQ(View(c.text), c.want) << c.what;
}

TEST_F(HostTextTest, StorageCountsTheTerminatorAndEmptyTextHasNone) {
  EXPECT_EQ(FString("").GetCharArray().Num(), 0);
  EXPECT_EQ(FString().Len(), 0);
  EXPECT_EQ((*FString())[0], 0) << "an empty text reads as one";
  EXPECT_EQ(FString("ab").GetCharArray().Num(), 3);
  EXPECT_EQ(FString("ab").Len(), 2);
  FString terminatorOnly;
  terminatorOnly.GetCharArray().Add(0);
  EXPECT_TRUE(terminatorOnly.IsEmpty());
  EXPECT_EQ(terminatorOnly.Len(), 0);
  EXPECT_FALSE(FString("a").IsEmpty());
}

// The counted form copies up to a NUL yet keeps the count; the rest is zeros.
TEST_F(HostTextTest, CountedTextStopsCopyingAtANul) {
  const struct {
    int32 count;
    const TCHAR* source;
    std::u16string_view want;
  } cases[] = {
      {2, u"abc", u"ab"},
      {5, u"ab\0cd", std::u16string_view(u"ab\0\0\0", 5)},
      {3, nullptr, std::u16string_view(u"\0\0\0", 3)},
      {0, u"abc", u""},
      {-1, u"abc", u""},
  };
  for (const auto& c : cases) {
    const FString text(c.count, c.source);
    EXPECT_EQ(View(text), c.want) << c.count;
    EXPECT_EQ(text.GetCharArray().Num(), c.count > 0 ? c.count + 1 : 0) << c.count;
  }
}

TEST_F(HostTextTest, AppendingKeepsEveryCharacterEvenNul) {
  FString text;
  text.AppendChars(u"a\0b", 3);
  EXPECT_EQ(View(text), std::u16string_view(u"a\0b", 3));
  text.Append(u"cd", 1).AppendChars(u"", 0);
  EXPECT_EQ(View(text), std::u16string_view(u"a\0bc", 4));
  // From its own characters, which growing moves.
  FString twice(u"0123456789");
  for (int i = 0; i < 4; ++i) twice.AppendChars(*twice, twice.Len());
  EXPECT_EQ(twice.Len(), 160);
  EXPECT_EQ(View(twice).substr(150), u"0123456789");
  EXPECT_EQ(twice.GetCharArray()[160], 0);
}

TEST_F(HostTextTest, AssignmentAndResetKeepItsOwnText) {
  FString text(u"Raptor");
  text = *text + 2;  // a pointer into itself
  EXPECT_EQ(View(text), u"ptor");
  text = static_cast<const TCHAR*>(nullptr);
  EXPECT_EQ(text.GetCharArray().Num(), 0);

  FString reused(u"Rex Alpha");
  const int32 room = reused.GetCharArray().Max();
  reused.Reset();
  EXPECT_EQ(reused.Len(), 0);
  EXPECT_EQ(reused.GetCharArray().Max(), room) << "the storage stays";
  reused.Reset(100);
  EXPECT_GE(reused.GetCharArray().Max(), 101);
}

TEST_F(HostTextTest, RangedForWalksTheCharactersWithoutTheTerminator) {
  const struct {
    FString text;
    std::u16string want;
  } cases[] = {{u"Rex", u"Rex"}, {u"", u""}, {FString(2, u"a"), std::u16string(u"a\0", 2)}};
  for (const auto& c : cases) {
    std::u16string walked;
    for (const TCHAR character : c.text) walked += character;
    EXPECT_EQ(walked, c.want);
  }
}

// As the game's: every comparison ignores the case of ASCII letters only; Equals is exact unless
// told; all stop at a NUL.
TEST_F(HostTextTest, ComparisonsFoldOnlyAsciiLetters) {
  const struct {
    const char* a;
    const char* b;
    bool equalIgnoringCase;
    bool equalExactly;
    bool lessIgnoringCase;
  } cases[] = {
      {"Rex", "Rex", true, true, false},
      {"Rex", "rEX", true, false, false},
      {"AZ", "az", true, false, false},
      {"Rex", "Rexy", false, false, true},
      {"Rexy", "rex", false, false, false},
      {"", "", true, true, false},
      {"Apple", "banana", false, false, true},
      {"_", "A", false, false, true},  // '_' sorts before 'a', as the lower case compares
      // One bit apart like a letter's two cases, but not letters.
      {"[", "{", false, false, true},
      {"@", "`", false, false, true},
      {"\xC3\x89", "\xC3\xA9", false, false, true},  // É, é: not ASCII
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " against " + c.b);
    const FString a = ArkApi::Tools::Utf8Decode(c.a).c_str();
    const FString b = ArkApi::Tools::Utf8Decode(c.b).c_str();
    EXPECT_EQ(a == b, c.equalIgnoringCase);
    EXPECT_EQ(a != b, !c.equalIgnoringCase);
    EXPECT_EQ(a == *b, c.equalIgnoringCase);
    EXPECT_EQ(*a == b, c.equalIgnoringCase);
    EXPECT_EQ(a < b, c.lessIgnoringCase);
    EXPECT_EQ(a >= b, !c.lessIgnoringCase);
    EXPECT_EQ(b > a, c.lessIgnoringCase);
    EXPECT_EQ(b <= a, !c.lessIgnoringCase);
    EXPECT_EQ(a.Equals(b, ESearchCase::IgnoreCase), c.equalIgnoringCase);
    EXPECT_EQ(a.Equals(b), c.equalExactly);
  }
  FString withNul(u"ab");
  withNul.AppendChars(u"\0c", 2);
  EXPECT_TRUE(withNul.Equals(u"ab"));
  EXPECT_TRUE(withNul == "AB");
}

TEST_F(HostTextTest, WideTemplatesFormat) {
  const FString name(u"Rex");
  const std::u16string_view nameView(*name, name.Len());
  const struct {
    FString got;
    std::u16string_view want;
  } cases[] = {
      {FString::Format(u"Tracking {} up to {}", std::u16string_view(u"rex"), int32{10}),
       u"Tracking rex up to 10"},
      {FString::Format(u"{1} then {0}", 1, 2), u"2 then 1"},
      {FString::Format(u"{{literal}}"), u"{literal}"},
      {FString::Format(u"{}: {:>4}", nameView, int32{-4}), u"Rex:   -4"},
      {FString::Format(u"{}", std::u16string_view(u"\u00E4\U0001F996")), u"\u00E4\U0001F996"},
      // A wchar_t template holds UTF-16 units, as on Windows.
      {FString::Format(L"{} of {}", std::wstring_view(L"one"), int32{2}), u"one of 2"},
      // The result is text, cut at its first NUL.
      {FString::Format(u"a{}b", std::u16string_view(u"x\0y", 3)), u"ax"},
  };
  for (const auto& c : cases) EXPECT_EQ(View(c.got), c.want);
  EXPECT_THROW(FString::Format(u"{"), std::runtime_error);
  EXPECT_THROW(FString::Format(u"{} {}", 1), fmt::format_error);
}

TEST_F(HostTextTest, NarrowTemplatesFormatThenConvert) {
  EXPECT_EQ(View(FString::Format("Dinos found: {}", 3)), u"Dinos found: 3");
  EXPECT_EQ(View(FString::Format("{} | {}", std::string("\xC3\x84"), 1)), u"?? | 1");
  EXPECT_THROW(FString::Format("{0} {}", 1), fmt::format_error);
}

TEST_F(HostTextTest, Utf8RoundTrips) {
  const struct {
    std::string utf8;
    std::u16string wide;
  } cases[] = {
      {"Rex", u"Rex"},
      {"T\xC3\xA4st", u"T\u00E4st"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\xA6\x96", u"\U0001F996"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArkApi::Tools::Utf8Decode(c.utf8), Wide(c.wide)) << c.utf8;
    EXPECT_EQ(ArkApi::Tools::Utf8Encode(Wide(c.wide)), c.utf8);
    EXPECT_EQ(FString(c.wide.c_str()).ToString(), c.utf8);
  }
  // ToString covers every character up to Len(), a NUL among them.
  EXPECT_EQ(FString(2, u"a").ToString(), std::string("a\0", 2));
}

TEST_F(HostTextTest, MalformedTextBecomesReplacementCharacters) {
  const struct {
    std::string utf8;
    std::u16string wide;
  } cases[] = {
      {"a\xFF"
       "b",
       u"a\uFFFDb"},
      {"\xC3", u"\uFFFD"},                                // cut short
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // a surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(ArkApi::Tools::Utf8Decode(c.utf8), Wide(c.wide));
  // Unpaired surrogates, and a wide character past U+10FFFF, encode as U+FFFD.
  EXPECT_EQ(FString(u"\xD800x\xDC00").ToString(), "\xEF\xBF\xBDx\xEF\xBF\xBD");
  EXPECT_EQ(ArkApi::Tools::Utf8Encode(std::wstring(1, static_cast<wchar_t>(0x110000))),
            "\xEF\xBF\xBD");
}

}  // namespace
