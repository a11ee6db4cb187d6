// Label templates and display times, and the refresh helpers the label updaters share.

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <span>
#include <string>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "support/GameFixture.h"
#include "tracking/LabelText.h"
#include "tracking/Refresh.h"

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

TEST_F(PlaceholderTest, IgnoresCaseOfAsciiLettersOnly) {
  // U+0130 (capital I with dot) is no spelling of "i".
  const std::u16string_view values[] = {u"Rex", u"1", u"2"};
  EXPECT_EQ(Filled(u"{dInOnAmE}|{d\u0130noName}", kWildNames, values), "Rex|{d\u0130noName}");
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

TEST(RefreshGate, RefreshesOnEveryPeriodPlusOnethCall) {
  const std::int32_t savedPeriod = TextUpdatePeriod;
  const struct {
    std::int32_t period;
    const char* refreshes;  // one letter per call: R refreshes, . only counts
  } cases[] = {
      {0, "RRRR"},
      {-5, "RRRR"},
      {1, ".R.R.R"},
      {3, "...R...R"},
  };
  for (const auto& c : cases) {
    TextUpdatePeriod = c.period;
    std::int32_t counter = 0;
    std::string seen;
    for (std::size_t i = 0; c.refreshes[i] != '\0'; ++i) seen += RefreshGate(counter) ? 'R' : '.';
    EXPECT_EQ(seen, c.refreshes) << c.period;
  }
  TextUpdatePeriod = savedPeriod;
}

// A switched-off updater still counts its calls, so once it is switched on again it refreshes on
// the same call as the updaters that never were off.
TEST(BeginRefresh, CountsCallsWhileSwitchedOff) {
  const std::int32_t savedPeriod = TextUpdatePeriod;
  const nlohmann::json savedConfig = Config;
  TextUpdatePeriod = 2;
  const struct {
    const char* enabled;    // one letter per call: y switched on, n off
    const char* refreshes;  // R a refresh with the section, . nothing to do
  } cases[] = {
      {"yyyyyy", "..R..R"},
      {"nnyyyy", "..R..R"},
      {"nnnyyy", ".....R"},
      {"ynyyyy", "..R..R"},
  };
  for (const auto& c : cases) {
    std::int32_t counter = 0;
    std::string seen;
    for (std::size_t i = 0; c.enabled[i] != '\0'; ++i) {
      Config["Commands"]["TrackWildDinos"]["Enabled"] = c.enabled[i] == 'y';
      seen += BeginRefresh(counter, schema::kTrackWildDinos) ? 'R' : '.';
    }
    EXPECT_EQ(seen, c.refreshes) << c.enabled;
  }
  Config = savedConfig;
  TextUpdatePeriod = savedPeriod;
}

TEST(RangeRule, ComparesWholeMetresWithTheConfiguredBounds) {
  const struct {
    const char* section;
    std::int32_t metres;
    bool lowerOnly, bothBounds;
  } cases[] = {
      {R"({"MinTrackRange": 2, "MaxTrackRange": 50})", 1, false, false},
      {R"({"MinTrackRange": 2, "MaxTrackRange": 50})", 2, true, true},
      {R"({"MinTrackRange": 2, "MaxTrackRange": 50})", 50, true, true},
      {R"({"MinTrackRange": 2, "MaxTrackRange": 50})", 51, true, false},
      {R"({"MinTrackRange": 1.5, "MaxTrackRange": 50.5})", 1, false, false},
      {R"({"MinTrackRange": 1.5, "MaxTrackRange": 50.5})", 2, true, true},
      {R"({"MinTrackRange": 1.5, "MaxTrackRange": 50.5})", 51, true, false},
      // 0: no upper bound.
      {R"({"MinTrackRange": 0, "MaxTrackRange": 0})", 2000000, true, true},
      // Absent: no lower bound, and an upper bound nothing is within.
      {R"({})", 0, true, false},
      {R"({"MinTrackRange": -10})", -1, true, false},
  };
  for (const auto& c : cases) {
    const auto section = nlohmann::json::parse(c.section);
    EXPECT_EQ(RangeRule(section, false).Admits(c.metres), c.lowerOnly)
        << c.section << " " << c.metres;
    EXPECT_EQ(RangeRule(section, true).Admits(c.metres), c.bothBounds)
        << c.section << " " << c.metres;
  }
}

// The bounds, read once, admit exactly what comparing each distance with the JSON values admits,
// for every kind of value a configuration can hold.
TEST(RangeRule, AgreesWithTheLibrarysOrderingForEveryKindOfBound) {
  const char* const bounds[] = {"null",
                                "true",
                                "false",
                                "0",
                                "1",
                                "-1",
                                "50",
                                "50.5",
                                "-0.5",
                                "0.5",
                                "1e300",
                                "-1e300",
                                "2147483647",
                                "2147483648",
                                "-2147483648",
                                "-2147483649",
                                "18446744073709551615",
                                "9223372036854775807",
                                "2147483646.5",
                                "\"50\"",
                                "[]",
                                "{}",
                                "[1]"};
  const std::int32_t distances[] = {std::numeric_limits<std::int32_t>::min(),
                                    -2147483647,
                                    -51,
                                    -1,
                                    0,
                                    1,
                                    2,
                                    49,
                                    50,
                                    51,
                                    2147483646,
                                    std::numeric_limits<std::int32_t>::max()};
  for (const char* minimum : bounds) {
    for (const char* maximum : bounds) {
      auto section = nlohmann::json::parse(std::string("{\"MinTrackRange\":") + minimum +
                                           ",\"MaxTrackRange\":" + maximum + "}");
      const RangeRule lower(section, false), both(section, true);
      const nlohmann::json& min = section["MinTrackRange"];
      const nlohmann::json& max = section["MaxTrackRange"];
      for (const std::int32_t metres : distances) {
        const nlohmann::json d = metres;
        const bool aboveMin = !(d < min);
        const bool belowMax = max == 0 || !(max < d);
        EXPECT_EQ(lower.Admits(metres), aboveMin) << minimum << " " << maximum << " " << metres;
        EXPECT_EQ(both.Admits(metres), aboveMin && belowMax)
            << minimum << " " << maximum << " " << metres;
      }
    }
  }
}

// Game units to whole metres, cut toward zero; distances no map has stop at the largest the
// integer holds, also at exactly 2^31 metres and for a distance that is not a number, instead of
// wrapping round.
TEST(DistanceInMetresTest, CutsGameUnitsToWholeMetresWithinTheInteger) {
  constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
  const struct {
    float units;
    std::int32_t metres;
  } cases[] = {
      {0.f, 0},
      {99.9f, 0},
      {199.f, 1},
      {200.f, 2},
      {3790.f, 37},
      {500.f, 5},
      {1e12f, most},
      {214748348416.f, 2147483520},  // the float just below 2^31 metres
      {214748364800.f, most},        // 2^31 metres exactly
      {std::numeric_limits<float>::infinity(), most},
      {std::numeric_limits<float>::quiet_NaN(), most},
  };
  for (const auto& c : cases) EXPECT_EQ(DistanceInMetres(c.units), c.metres) << c.units;
}

}  // namespace
