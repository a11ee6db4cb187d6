// The host's text: widening, formatting and UTF-8 in both directions.

#include "ArkApi/ArkApi.h"
#include "support/GameFixture.h"

namespace {

using testing_support::GameFixture;

class HostTextTest : public GameFixture {};

TEST_F(HostTextTest, NarrowTextWidensByteByByte) {
  EXPECT_EQ(FString("Rex 150").View(), u"Rex 150");
  EXPECT_EQ(FString("T\xC3\xA4st").View(), u"T??st");
  EXPECT_EQ(FString("").Len(), 0);
  EXPECT_EQ(FString("").GetCharArray().Num(), 0) << "an empty text has no storage";
  EXPECT_EQ(FString("ab").GetCharArray().Num(), 3) << "the terminator is counted";
}

// As the game's: == ignores the case of ASCII letters only; Equals compares exactly unless told.
TEST_F(HostTextTest, ComparisonsFoldOnlyAsciiLetters) {
  const struct {
    const char* a;
    const char* b;
    bool equalIgnoringCase;
    bool equalExactly;
  } cases[] = {
      {"Rex", "Rex", true, true},
      {"Rex", "rEX", true, false},
      {"AZ", "az", true, false},
      {"Rex", "Rexy", false, false},
      {"", "", true, true},
      // One bit apart like a letter's two cases, but not letters.
      {"[", "{", false, false},
      {"@", "`", false, false},
      {"\xC3\x89", "\xC3\xA9", false, false},  // É, é: not ASCII
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " against " + c.b);
    const FString a = ArkApi::Tools::Utf8Decode(c.a).c_str();
    const FString b = ArkApi::Tools::Utf8Decode(c.b).c_str();
    EXPECT_EQ(a == b, c.equalIgnoringCase);
    EXPECT_EQ(a.Equals(b, ESearchCase::IgnoreCase), c.equalIgnoringCase);
    EXPECT_EQ(a.Equals(b), c.equalExactly);
  }
}

TEST_F(HostTextTest, WideTemplatesFormat) {
  const FString name(u"Rex");
  const struct {
    FString got;
    std::u16string_view want;
  } cases[] = {
      {FString::Format(u"Tracking {} up to {}", std::string("rex"), 10), u"Tracking rex up to 10"},
      {FString::Format(u"{1} then {0}", 1, 2), u"2 then 1"},
      {FString::Format(u"{{literal}}"), u"{literal}"},
      {FString::Format(u"{}: {}", name, -4), u"Rex: -4"},
      // Narrow arguments widen one byte per character, not decoded.
      {FString::Format(u"[{}]", std::string("\xC3\xA4")), u"[\u00C3\u00A4]"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got.View(), c.want);
  EXPECT_THROW(FString::Format(u"{"), fmt::format_error);
  EXPECT_THROW(FString::Format(u"{} {}", 1), fmt::format_error);
}

TEST_F(HostTextTest, NarrowTemplatesFormatThenWiden) {
  EXPECT_EQ(FString::Format("Dinos found: {}", 3).View(), u"Dinos found: 3");
  EXPECT_EQ(FString::Format("{} | {}", std::string("Ä"), 1).View(), u"?? | 1");
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
    EXPECT_EQ(ArkApi::Tools::Utf8Decode(c.utf8), c.wide) << c.utf8;
    EXPECT_EQ(FString(std::u16string_view(c.wide)).ToString(), c.utf8);
  }
}

TEST_F(HostTextTest, MalformedUtf8BecomesReplacementCharacters) {
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
  for (const auto& c : cases) EXPECT_EQ(ArkApi::Tools::Utf8Decode(c.utf8), c.wide);
  EXPECT_EQ(FString(std::u16string_view(u"\xD800x")).ToString(), "\xEF\xBF\xBDx");
}

}  // namespace
