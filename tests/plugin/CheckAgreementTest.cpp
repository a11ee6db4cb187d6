// What the check says the plugin makes of a number setting is what the plugin then does: the
// same values fed to the check and to the running plugin, in every limit, range and period, and
// the whole metres and display times the check states are the ones the plugin uses.

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "commands/TrackLimit.h"
#include "config/Check.h"
#include "core/Lifecycle.h"
#include "support/PluginFixture.h"
#include "tracking/Refresh.h"

namespace {

using namespace packsentinel;
using nlohmann::json;

const json kValues[] = {true,
                        false,
                        0.5,
                        2.7,
                        -3,
                        -2.5,
                        7,
                        -2147483648LL,            // -2^31
                        2147483648LL,             // 2^31
                        9223372036854775808ULL,   // 2^63
                        18446744073709551615ULL,  // 2^64 - 1
                        1e19,
                        1e300};

constexpr double kMostMetres = std::numeric_limits<std::int32_t>::max();

// What the check says of one setting: whether it refuses it, its messages there.
struct Verdict {
  bool error = false;
  std::vector<std::string> messages;

  bool Says(const std::string& part) const {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const auto& m) { return m.find(part) != std::string::npos; });
  }
  // The number a message states where pattern's one group stands.
  std::optional<double> Stated(const std::string& pattern) const {
    const std::regex stated(pattern);
    for (const auto& message : messages) {
      std::smatch match;
      if (std::regex_search(message, match, stated)) return std::stod(match[1]);
    }
    return std::nullopt;
  }
  // The number the check says the plugin reads; silent, the number as written.
  double ReadAs(const json& value) const {
    if (const auto read = Stated("is read as (-?[0-9]+)")) return *read;
    return value.get<double>();
  }
};

// A range the check must bring down to whole metres: a fraction above zero.
bool IsFractionAboveZero(const json& value) {
  return value.is_number() && value.get<double>() > 0 &&
         value.get<double>() != std::trunc(value.get<double>());
}

class CheckAgreementTest : public testing_support::PluginFixture {
 protected:
  CheckAgreementTest() {
    player = &AddPlayer("alice", 1);
    game.SetGroups(*player, {"Default"});
  }

  // The check's verdict on value at pointer, and the plugin loaded with it unless refused.
  Verdict LoadWith(const std::string& pointer, const json& value) {
    if (IsLoaded()) Unload();
    json config = json::parse(ShippedConfig());
    config[json::json_pointer(pointer)] = value;
    Verdict verdict;
    for (const auto& problem : CheckConfig(config)) {
      if (problem.pointer != pointer) continue;
      verdict.error |= problem.severity == Severity::Error;
      verdict.messages.push_back(problem.message);
    }
    WriteConfig(config.dump());
    bool loaded = true;
    try {
      Load();
    } catch (const std::exception&) {
      loaded = false;
    }
    EXPECT_EQ(loaded, !verdict.error) << "the check refuses exactly what the plugin refuses";
    return verdict;
  }

  game::Player* player;
};

TEST_F(CheckAgreementTest, LimitsAndThePeriodAreWhatTheCheckSaysTheyAreReadAs) {
  const struct {
    const char* pointer;
    std::vector<std::string> groups;
    std::function<double()> inForce;
  } settings[] = {
      {"/MaxTrackPerPlayer", {"Default"}, [&] { return GetTrackLimit(Controller(player)); }},
      {"/MaxTrackPerGroup/Vip",
       {"Default", "Vip"},
       [&] { return GetTrackLimit(Controller(player)); }},
      {"/UpdateTextEvery", {"Default"}, [] { return TextUpdatePeriod; }},
  };
  for (const auto& setting : settings) {
    game.SetGroups(*player, setting.groups);
    for (const json& value : kValues) {
      SCOPED_TRACE(std::string(setting.pointer) + " = " + value.dump());
      const Verdict verdict = LoadWith(setting.pointer, value);
      ASSERT_FALSE(verdict.error);
      EXPECT_EQ(setting.inForce(), verdict.ReadAs(value));
    }
  }
}

// A search range above zero searches once within it, in whole metres up to the largest the
// integer holds; one the check calls below zero searches outward in rings instead.
TEST_F(CheckAgreementTest, TheSearchIsTheOneTheCheckDescribes) {
  const std::string pointer = "/Commands/TrackWildDinos/MaxTrackRange";
  for (const json& value : kValues) {
    SCOPED_TRACE(value.dump());
    const Verdict verdict = LoadWith(pointer, value);
    game.TakeOverlapQueries();
    game.Chat(player, "/trackdino rex");
    const auto radii = game.TakeOverlapQueries();
    ASSERT_FALSE(radii.empty());
    EXPECT_EQ(verdict.Says("comes down to whole metres"), IsFractionAboveZero(value));
    if (verdict.Says("below zero")) {
      EXPECT_GT(radii.size(), 1u) << "rings";
    } else {
      ASSERT_EQ(radii.size(), 1u);
      const double metres = verdict.Stated("the search has a radius of ([0-9]+) m")
                                .value_or(std::min(std::floor(value.get<double>()), kMostMetres));
      EXPECT_FLOAT_EQ(radii[0], static_cast<float>(metres * 100));
    }
  }
}

// Labels are drawn at the distances the check's words allow: none at all below zero at the
// top, from 0 m below zero at the bottom, and otherwise between the whole metres it states, or
// the numbers as written.
TEST_F(CheckAgreementTest, LabelsAreDrawnWhereTheCheckSaysTheyAre) {
  const std::int32_t distances[] = {0, 1, 2, 7, 100000, std::numeric_limits<std::int32_t>::max()};
  for (const char* key : {"MaxTrackRange", "MinTrackRange"}) {
    const bool top = std::string(key) == "MaxTrackRange";
    const std::string pointer = std::string("/Commands/TrackTribeMembers/") + key;
    for (const json& value : kValues) {
      SCOPED_TRACE(pointer + " = " + value.dump());
      const Verdict verdict = LoadWith(pointer, value);
      if (verdict.error) continue;
      EXPECT_EQ(verdict.Says("comes down to whole metres"), IsFractionAboveZero(value));
      const RangeRule rule(Config["Commands"]["TrackTribeMembers"], true);
      const json& section = Config["Commands"]["TrackTribeMembers"];
      for (const std::int32_t metres : distances) {
        bool drawn;
        if (top) {
          // The shipped "MinTrackRange" is 10 m; a top of 0 is no top.
          const auto most = verdict.Stated("labels are drawn up to ([0-9]+) m");
          drawn = !verdict.Says("below zero") && metres >= 10 &&
                  (section["MaxTrackRange"] == 0 || metres <= most.value_or(value.get<double>()));
        } else {
          const auto stated = verdict.Stated("labels are drawn from ([0-9]+) m");
          const double least = verdict.Says("below zero") ? 0
                               : stated                   ? *stated
                                                          : value.get<double>();
          drawn = metres >= least;
        }
        EXPECT_EQ(rule.Admits(metres), drawn) << metres;
      }
    }
  }
}

// A period below zero still refreshes at every tick, but sends labels to stay on screen for a
// negative time: the times the check states are the ones the labels carry.
TEST_F(CheckAgreementTest, LabelsStayForTheTimesTheCheckStates) {
  game.SetTribe(*player, 7);
  game.SetTribe(AddPlayer("bob", 2, {1500.f, 0.f, 0.f}), 7);
  game.SpawnDino({"", "Rex", 1, 0, {300.f, 0.f, 0.f}});
  for (const json& value : kValues) {
    SCOPED_TRACE(value.dump());
    const Verdict verdict = LoadWith("/UpdateTextEvery", value);
    const bool belowZero = TextUpdatePeriod < 0;
    EXPECT_EQ(verdict.Says("negative time"), belowZero);
    if (!belowZero) continue;
    game.Chat(player, "/stoptrack");
    game.Chat(player, "/trackdino rex");
    game.Chat(player, "/trackmates on");
    framework::Events().ClearRetained();
    game.Tick();
    const auto creatureLabels = EventsOf("debug_string");
    const auto mateLabels = EventsOf("floating_text");
    ASSERT_EQ(creatureLabels.size(), 1u);
    ASSERT_FALSE(mateLabels.empty());
    const auto stated = [&](const char* over) {
      return verdict.Stated("(-[0-9.]+) s over " + std::string(over));
    };
    ASSERT_TRUE(stated("creatures") && stated("tribe mates"));
    EXPECT_EQ(creatureLabels[0]["duration"].get<float>(), static_cast<float>(*stated("creatures")));
    EXPECT_EQ(mateLabels[0]["duration"].get<float>(), static_cast<float>(*stated("tribe mates")));
  }
}

}  // namespace
