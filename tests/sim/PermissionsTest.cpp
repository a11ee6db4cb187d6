// The stand-in permissions plugin answers as the real one's releases do: with their cache on, a
// player and group not asked before is "no" whatever the truth, and a group change forgets the
// player's answers.

#include <Permissions.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/Game.h"

namespace {

struct Ask {
  const char* what;
  std::function<void(game::Game&, game::Player& alice)> before;  // none: just ask
  uint64 steamId;
  const char16_t* group;
  bool answer;
};

game::Player& Join(game::Game& game, const char* name, uint64 steamId) {
  game::PlayerSpec setup;
  setup.name = name;
  setup.steamId = steamId;
  setup.dataId = static_cast<int32>(steamId);
  setup.groups = {"Admins"};
  return game.AddPlayer(setup);
}

TEST(PermissionsTest, AnswersAsTheCachingReleasesDo) {
  const auto groups = [](std::vector<std::string> names) {
    return [names](game::Game& game, game::Player& alice) { game.SetGroups(alice, names); };
  };
  const auto caching = [](bool on) {
    return [on](game::Game&, game::Player&) { game::Game::SetPermissionsCaching(on); };
  };
  const Ask asks[] = {
      {"a member's first check", nullptr, 1, u"Admins", false},
      {"his second", nullptr, 1, u"Admins", true},
      {"the group in other letters is another pair", nullptr, 1, u"admins", false},
      {"which is then answered ignoring case", nullptr, 1, u"admins", true},
      {"another player's first check", nullptr, 2, u"Admins", false},
      {"outside the group, first", nullptr, 1, u"Vip", false},
      {"outside the group, second", nullptr, 1, u"Vip", false},
      {"a group change forgets his answers", groups({"Vip"}), 1, u"Vip", false},
      {"and answers the new groups", nullptr, 1, u"Vip", true},
      {"where he left", nullptr, 1, u"Admins", false},
      {"another player's answers stay", nullptr, 2, u"Admins", true},
      {"answering truly from the first check", caching(false), 1, u"VIP", true},
      {"a first check answered truly", nullptr, 2, u"Admins", true},
      {"the cache starts empty when on again", caching(true), 2, u"Admins", false},
  };
  game::Game game;
  auto& alice = Join(game, "alice", 1);
  Join(game, "bob", 2);
  for (const auto& ask : asks) {
    SCOPED_TRACE(ask.what);
    if (ask.before) ask.before(game, alice);
    EXPECT_EQ(Permissions::IsPlayerInGroup(ask.steamId, FString(ask.group)), ask.answer);
  }
}

}  // namespace
