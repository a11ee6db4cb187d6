// Label templates, their values and display times.

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <span>
#include <string>

#include "config/LabelDurations.h"
#include "core/AsciiCase.h"
#include "host/Text.h"
#include "support/GameFixture.h"
#include "tracking/LabelText.h"

namespace {

using namespace packsentinel;

// Host texts take their storage from the game's allocator, so a game must be running.
class PlaceholderTest : public testing_support::GameFixture {};

constexpr std::u16string_view kWildNames[] = {u"{dinoName}", u"{dinoLevel}", u"{dinoDistance}"};

// The label as the rule gives it; a template split once must give the same, into a text reused
// from the label before.
std::string Filled(std::u16string_view text, std::span<const std::u16string_view> names,
                   std::span<const std::u16string_view> values) {
  const std::string byTheRule = host::ToUtf8(ReplaceInSequence(text, names, values));
  // The text of an earlier label: none, shorter and longer, so it must grow or be cut back.
  for (const std::u16string_view earlier : {u"", u"x", u"text of an earlier, much longer label"}) {
    host::String reused(earlier);
    LabelTemplate(text, names).Fill(values, reused);
    EXPECT_EQ(host::ToUtf8(reused), byTheRule) << "one pass differs for " << host::ToUtf8(text);
  }
  return byTheRule;
}

TEST_F(PlaceholderTest, ReplacesEveryOccurrenceInAnyCaseWithoutRescanning) {
  const struct {
    std::u16string_view text;
    std::u16string_view name, level, distance;
    const char* label;
  } cases[] = {
      {u"{dinoName} {dinoLevel} {dinoDistance}m", u"Rex", u"150", u"37", "Rex 150 37m"},
      {u"{DINONAME}/{dinoname}/{DinoName}", u"Rex", u"1", u"2", "Rex/Rex/Rex"},
      {u"{dinoDistance}{dinoLevel}{dinoName}", u"Rex", u"1", u"2", "21Rex"},
      // The name's own placeholder is not replaced again inside the inserted name...
      {u"<{dinoName}>", u"{dinoName}", u"1", u"2", "<{dinoName}>"},
      {u"{dinoName}{dinoName}", u"x{dinoName", u"1", u"2", "x{dinoNamex{dinoName"},
      {u"{dinoName}Name}", u"x{dino", u"1", u"2", "x{dinoName}"},
      // ...but a later placeholder replaces what an earlier one inserted, also where the
      // inserted text and the template's own make the placeholder together.
      {u"{dinoName}", u"L{dinoLevel} D{DINODISTANCE}", u"7", u"12", "L7 D12"},
      {u"{dinoName}Level}", u"x{dino", u"7", u"12", "x7"},
      {u"{dino{dinoName}}", u"Level", u"7", u"12", "7"},
      {u"{dino{dinoName}Level}", u"", u"7", u"12", "7"},
      {u"{dino{dinoName}Level}", u"X", u"7", u"12", "{dinoXLevel}"},
      {u"{{dinoName}}", u"Rex", u"1", u"2", "{Rex}"},
      {u"{{dinoName}}", u"dinoLevel", u"1", u"2", "1"},
      // The last placeholder's value is never scanned, braces or not.
      {u"{dinoDistance}", u"Rex", u"1", u"{dinoName}", "{dinoName}"},
      {u"{dinoName}{dinoHealth}{dino", u"Rex", u"1", u"2", "Rex{dinoHealth}{dino"},
      {u"a{dinoName}b", u"", u"1", u"2", "ab"},
      {u"{dinoName", u"Rex", u"1", u"2", "{dinoName"},
      {u"", u"Rex", u"1", u"2", ""},
      {u"no placeholder", u"Rex", u"1", u"2", "no placeholder"},
  };
  for (const auto& c : cases) {
    const std::u16string_view values[] = {c.name, c.level, c.distance};
    EXPECT_EQ(Filled(c.text, kWildNames, values), c.label) << host::ToUtf8(c.text);
  }
}

// Templates and values pieced together from fragments of placeholders, braces and letters, so
// that inserted text and template text meet in every way: one pass must always agree.
TEST_F(PlaceholderTest, OnePassAgreesWithTheRuleOnPiecedTogetherTexts) {
  const std::u16string_view fragments[] = {u"{",     u"}",     u"dino",           u"Name",
                                           u"LEVEL", u"Level", u"{dinoName}",     u"{dinoLevel}",
                                           u"x",     u"",      u"{dinoDistance}", u"Distance}"};
  std::mt19937 random(20261207);
  const auto pieced = [&](int most) {
    std::u16string text;
    const int count = std::uniform_int_distribution<int>(0, most)(random);
    for (int i = 0; i < count; ++i) {
      text += fragments[std::uniform_int_distribution<std::size_t>(
          0, std::size(fragments) - 1)(random)];
    }
    return text;
  };
  host::String reused;
  for (int round = 0; round < 20000; ++round) {
    const std::u16string text = pieced(6), name = pieced(3), level = pieced(2),
                         distance = pieced(2);
    const std::u16string_view values[] = {name, level, distance};
    LabelTemplate(text, kWildNames).Fill(values, reused);
    ASSERT_EQ(host::ToUtf8(reused), host::ToUtf8(ReplaceInSequence(text, kWildNames, values)))
        << host::ToUtf8(text) << " | " << host::ToUtf8(name) << " | " << host::ToUtf8(level);
  }
}

// Each step writes the text anew, so a long template costs its length, not its length times its
// matches: here every step matches two hundred thousand times in a text of 2.4 million
// characters (a second, not minutes).
TEST_F(PlaceholderTest, LongTemplatesFillInTimeOfTheirLength) {
  std::u16string text;
  std::string expected;
  for (int i = 0; i < 200000; ++i) {
    text += u"{{dinoName}}";
    expected += "{7}";
  }
  const std::u16string_view values[] = {u"{dinoLevel}", u"7", u"12"};
  EXPECT_EQ(Filled(text, kWildNames, values), expected);
}

TEST_F(PlaceholderTest, IgnoresCaseOfAsciiLettersOnly) {
  // U+0130 (capital I with dot) is no spelling of "i".
  const std::u16string_view values[] = {u"Rex", u"1", u"2"};
  EXPECT_EQ(Filled(u"{dInOnAmE}|{d\u0130noName}", kWildNames, values), "Rex|{d\u0130noName}");
  EXPECT_FALSE(EqualsIgnoringAsciiCase(u"{dino", u"{dinoName}")) << "a start is no match";
}

TEST_F(PlaceholderTest, SpacesCentreTheSecondLineUnderTheName) {
  constexpr std::u16string_view names[] = {u"{dinoName}", u"{dinoDistance}", u"{spaces}"};
  const std::u16string_view values[] = {u"Argentavis", u"12", u"     "};
  EXPECT_EQ(Filled(u"{dinoName}\n{spaces}{dinoDistance}m", names, values), "Argentavis\n     12m");
}

TEST(DecimalText, WritesEveryInteger) {
  for (const std::int32_t value : {0, 7, -7, 150, std::numeric_limits<std::int32_t>::max(),
                                   std::numeric_limits<std::int32_t>::min()}) {
    const std::string expected = std::to_string(value);
    EXPECT_EQ(DecimalText(value).Digits(), std::u16string(expected.begin(), expected.end()));
  }
}

TEST(LabelDuration, FollowsTheRefreshPeriod) {
  const struct {
    std::int32_t period;
    float creature, member;
  } cases[] = {
      {-3, static_cast<float>(-3 * 0.035 * 2), static_cast<float>(-3 * 0.0375)},
      {0, 0.f, 0.f},
      {1, 0.035f, 0.2728f},
      {2, 0.14f, 0.2728f},
      {5, static_cast<float>(5 * 0.035 * 2), 0.2728f},
      {6, static_cast<float>(6 * 0.035 * 2), 0.225f},
      {9, 0.63f, static_cast<float>(9 * 0.0375)},
      {10, 0.4f, 0.375f},
      {20, 0.8f, 0.75f},
      {40, 1.6f, 1.5f},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CreatureLabelDuration(c.period), c.creature) << c.period;
    EXPECT_EQ(MemberLabelDuration(c.period), c.member) << c.period;
  }
}

}  // namespace
