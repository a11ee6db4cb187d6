// Label templates and display times, and the refresh helpers the label updaters share.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/Lifecycle.h"
#include "support/GameFixture.h"
#include "tracking/LabelText.h"
#include "tracking/Refresh.h"

namespace {

using namespace packsentinel;

// Host texts take their storage from the game's allocator, so a game must be running.
class PlaceholderTest : public testing_support::GameFixture {};

std::string Filled(std::u16string_view text, std::initializer_list<Placeholder> placeholders) {
  return FillPlaceholders(FString(text), placeholders).ToString();
}

TEST_F(PlaceholderTest, ReplacesEveryOccurrenceInAnyCaseWithoutRescanning) {
  const struct {
    std::u16string_view text;
    std::u16string_view name, level, distance;
    const char* label;
  } cases[] = {
      {u"{dinoName} {dinoLevel} {dinoDistance}m", u"Rex", u"150", u"37", "Rex 150 37m"},
      {u"{DINONAME}/{dinoname}/{DinoName}", u"Rex", u"1", u"2", "Rex/Rex/Rex"},
      // The name's own placeholder is not replaced again inside the inserted name...
      {u"<{dinoName}>", u"{dinoName}", u"1", u"2", "<{dinoName}>"},
      {u"{dinoName}{dinoName}", u"x{dinoName", u"1", u"2", "x{dinoNamex{dinoName"},
      // ...but a later placeholder replaces what an earlier one inserted.
      {u"{dinoName}", u"L{dinoLevel} D{DINODISTANCE}", u"7", u"12", "L7 D12"},
      {u"{{dinoName}}", u"Rex", u"1", u"2", "{Rex}"},
      {u"{dinoName}{dinoHealth}{dino", u"Rex", u"1", u"2", "Rex{dinoHealth}{dino"},
      {u"a{dinoName}b", u"", u"1", u"2", "ab"},
      {u"{dinoName", u"Rex", u"1", u"2", "{dinoName"},
      {u"", u"Rex", u"1", u"2", ""},
      {u"no placeholder", u"Rex", u"1", u"2", "no placeholder"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Filled(c.text, {{u"{dinoName}", c.name},
                              {u"{dinoLevel}", c.level},
                              {u"{dinoDistance}", c.distance}}),
              c.label)
        << Utf16ToUtf8(c.text);
  }
}

TEST_F(PlaceholderTest, IgnoresCaseOfAsciiLettersOnly) {
  // U+0130 (capital I with dot) is no spelling of "i".
  EXPECT_EQ(Filled(u"{dInOnAmE}|{d\u0130noName}", {{u"{dinoName}", u"Rex"}}),
            "Rex|{d\u0130noName}");
}

TEST(LabelDuration, FollowsTheRefreshPeriod) {
  const struct {
    int32 period;
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
  const int32 savedPeriod = TextUpdatePeriod;
  const struct {
    int32 period;
    const char* refreshes;  // one letter per call: R refreshes, . only counts
  } cases[] = {
      {0, "RRRR"},
      {-5, "RRRR"},
      {1, ".R.R.R"},
      {3, "...R...R"},
  };
  for (const auto& c : cases) {
    TextUpdatePeriod = c.period;
    int32 counter = 0;
    std::string seen;
    for (std::size_t i = 0; c.refreshes[i] != '\0'; ++i) seen += RefreshGate(counter) ? 'R' : '.';
    EXPECT_EQ(seen, c.refreshes) << c.period;
  }
  TextUpdatePeriod = savedPeriod;
}

TEST(IsInRange, ComparesWholeMetresWithTheConfiguredBounds) {
  const struct {
    const char* section;
    int32 metres;
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
    EXPECT_EQ(IsInRange(section, c.metres, false), c.lowerOnly) << c.section << " " << c.metres;
    EXPECT_EQ(IsInRange(section, c.metres, true), c.bothBounds) << c.section << " " << c.metres;
  }
}

class DistanceInMetresTest : public testing_support::GameFixture {};

TEST_F(DistanceInMetresTest, CutsGameUnitsToWholeMetres) {
  const struct {
    FVector at;
    int32 metres;
  } cases[] = {
      {{0, 0, 0}, 0},
      {{199, 0, 0}, 1},
      {{200, 0, 0}, 2},
      {{0, -3790, 0}, 37},
      {{300, 0, 400}, 5},
      {{0, 0, 99.9f}, 0},
      {{1e12f, 0, 0}, std::numeric_limits<int32>::max()},
  };
  auto* from = game.SpawnDino({"from", "Rex", 1, 0, {}});
  auto* to = game.SpawnDino({"to", "Rex", 1, 0, {}});
  for (const auto& c : cases) {
    game.Move(to, c.at);
    EXPECT_EQ(DistanceInMetres(reinterpret_cast<AActor*>(from), reinterpret_cast<AActor*>(to)),
              c.metres)
        << c.at.X << " " << c.at.Y << " " << c.at.Z;
  }
}

}  // namespace
