// Command permission and the tracking limit, from the player's permission groups.

#include <optional>
#include <string>
#include <vector>

#include "commands/TrackLimit.h"
#include "support/PluginFixture.h"

namespace {

using namespace packsentinel;
using nlohmann::json;

class TrackLimitTest : public testing_support::PluginFixture {
 protected:
  TrackLimitTest() : player(AddPlayer("alice", 1)) { ReadConfig(); }

  game::Player& player;
};

// What spine/limits.scn shows a player (no listed group, one, the largest of two, a negative
// limit, a fraction and true as "MaxTrackPerPlayer") is not repeated here.
TEST_F(TrackLimitTest, LimitFromTheGroups) {
  const json absent;  // stands for a key left out
  const struct {
    json perPlayer;
    json perGroup;
    std::vector<std::string> groups;
    std::int32_t limit;
  } cases[] = {
      {10, {{"Negative", -4}, {"Five", 5}}, {"Negative", "Five"}, 5},
      // Membership is settled at the first group he is in: a later limit is not read then.
      {10, {{"A", 3}, {"B", "many"}}, {"A"}, 3},
      {10, {{"Small", 2.9}}, {"Small"}, 2},
      {10, json::object(), {"Default"}, 10},
      {10, absent, {"Default"}, 10},
      {-3, absent, {}, -3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.perPlayer << " " << c.perGroup);
    Config["MaxTrackPerPlayer"] = c.perPlayer;
    if (c.perGroup.is_null()) {
      Config.erase("MaxTrackPerGroup");
    } else {
      Config["MaxTrackPerGroup"] = c.perGroup;
    }
    game.SetGroups(player, c.groups);
    EXPECT_EQ(GetTrackLimit(Controller(player)), c.limit);
  }
  EXPECT_EQ(GetTrackLimit(nullptr), 0);
}

// A limit that is not a number fails whether or not the player is in its group; so do a group
// table that is not an object and a missing "MaxTrackPerPlayer".
TEST_F(TrackLimitTest, LimitErrors) {
  const struct {
    json perPlayer;
    json perGroup;
    const char* error;
  } cases[] = {
      {10, {{"Other", "many"}}, "type must be number, but is string"},
      {10, json::array({3}), "cannot use key() for non-object iterators"},
      {10, 7, "cannot use key() for non-object iterators"},
      {json(), json::object(), "type must be number, but is null"},
      {"ten", json::object(), "type must be number, but is string"},
  };
  game.SetGroups(player, {"Default"});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    Config["MaxTrackPerPlayer"] = c.perPlayer;
    Config["MaxTrackPerGroup"] = c.perGroup;
    try {
      GetTrackLimit(Controller(player));
      ADD_FAILURE() << "no error";
    } catch (const json::exception& error) {
      EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos) << error.what();
    }
  }
}

TEST_F(TrackLimitTest, PermissionNeedsOneListedGroup) {
  const struct {
    std::vector<std::string> playerGroups;
    std::vector<std::string> allowed;
    bool permitted;
  } cases[] = {
      {{"Default"}, {"Default"}, true},   {{"Vip"}, {"Admins", "Vip"}, true},
      {{"Default", "Admins"}, {}, false}, {{}, {"Default"}, false},
      {{"Default"}, {"dEFAULT"}, true},  // the permissions plugin ignores case
  };
  for (const auto& c : cases) {
    game.SetGroups(player, c.playerGroups);
    EXPECT_EQ(HasCommandPermission(1, c.allowed), c.permitted);
  }
  EXPECT_FALSE(HasCommandPermission(0, {"Default"})) << "nobody without a player";
}

}  // namespace
