// What the check says the plugin makes of a number setting is what the plugin then does: the
// same values fed to the check and to the running plugin, in every limit, range and period.

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
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
  // The number the check says the plugin reads; silent, the number as written.
  double ReadAs(const json& value) const {
    static const std::regex readAs("is read as (-?[0-9]+)");
    for (const auto& message : messages) {
      std::smatch match;
      if (std::regex_search(message, match, readAs)) return std::stod(match[1]);
    }
    return value.get<double>();
  }
};

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
    if (verdict.Says("below zero")) {
      EXPECT_GT(radii.size(), 1u) << "rings";
    } else {
      ASSERT_EQ(radii.size(), 1u);
      const double metres = std::min(std::floor(value.get<double>()), kMostMetres);
      EXPECT_FLOAT_EQ(radii[0], static_cast<float>(metres * 100));
    }
  }
}

// Labels are drawn at the distances the check's words allow: none at all below zero at the
// top, from 0 m below zero at the bottom, and otherwise between the numbers as written.
TEST_F(CheckAgreementTest, LabelsAreDrawnWhereTheCheckSaysTheyAre) {
  const std::int32_t distances[] = {0, 1, 2, 7, 100000, std::numeric_limits<std::int32_t>::max()};
  for (const char* key : {"MaxTrackRange", "MinTrackRange"}) {
    const bool top = std::string(key) == "MaxTrackRange";
    const std::string pointer = std::string("/Commands/TrackTribeMembers/") + key;
    for (const json& value : kValues) {
      SCOPED_TRACE(pointer + " = " + value.dump());
      const Verdict verdict = LoadWith(pointer, value);
      if (verdict.error) continue;
      const RangeRule rule(Config["Commands"]["TrackTribeMembers"], true);
      const json& section = Config["Commands"]["TrackTribeMembers"];
      for (const std::int32_t metres : distances) {
        bool drawn;
        if (top) {
          // The shipped "MinTrackRange" is 10 m; a top of 0 is no top.
          drawn = !verdict.Says("below zero") && metres >= 10 &&
                  (section["MaxTrackRange"] == 0 || metres <= value.get<double>());
        } else {
          const double least = verdict.Says("below zero") ? 0 : value.get<double>();
          drawn = metres >= least;
        }
        EXPECT_EQ(rule.Admits(metres), drawn) << metres;
      }
    }
  }
}

}  // namespace
