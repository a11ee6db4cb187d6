// The refresh helpers the three label updaters share: when to refresh, the configured ranges and
// distances in whole metres.

#include <gtest/gtest.h>

#include <cmath>
#include <json.hpp>
#include <limits>
#include <string>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "tracking/Refresh.h"

namespace {

using namespace packsentinel;

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
// for every kind of value a configuration can hold; numbers by their value, where the library
// would put an unsigned one of 2^63 or more below zero.
TEST(RangeRule, AgreesWithTheLibrarysOrderingForEveryKindOfBound) {
  const auto below = [](const nlohmann::json& a, const nlohmann::json& b) {
    return a.is_number() && b.is_number() ? a.get<double>() < b.get<double>() : a < b;
  };
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
                                "9223372036854775808",
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
        const bool aboveMin = !below(d, min);
        const bool belowMax = max == 0 || !below(max, d);
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
