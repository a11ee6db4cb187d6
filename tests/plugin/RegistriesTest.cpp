// The tracking registries and the per-player counts.

#include "commands/StopTrack.h"
#include "game/Allocator.h"
#include "support/PluginFixture.h"
#include "tracking/Registries.h"

namespace {

using namespace packsentinel;

class RegistriesTest : public testing_support::PluginFixture {
 protected:
  RegistriesTest() {
    ReadConfig();
    alice = &AddPlayer("alice", 1);
    bob = &AddPlayer("bob", 2);
    for (const char* name : {"a", "b", "c", "d", "e"})
      dinos.push_back(game.SpawnDino({name, "Rex", 1, 0, {}}));
  }

  APrimalDinoCharacter* Dino(int i) const {
    return reinterpret_cast<APrimalDinoCharacter*>(dinos[i]);
  }

  // The registry as (player name, creature index) pairs, in order.
  std::vector<std::pair<std::string, int>> Contents(const DinoTrackList& registry) const {
    std::vector<std::pair<std::string, int>> contents;
    for (const auto& entry : registry) {
      const auto* dino = reinterpret_cast<game::APrimalDinoCharacter*>(entry.creature.Get());
      const auto found = std::find(dinos.begin(), dinos.end(), dino);
      contents.emplace_back(entry.trackerId == 1 ? "alice" : "bob", int(found - dinos.begin()));
    }
    return contents;
  }

  std::optional<std::int32_t> CountOf(std::uint64_t id) const {
    const auto it = TrackCounts.find(id);
    return it == TrackCounts.end() ? std::nullopt : std::optional<std::int32_t>(it->second);
  }

  game::Player* alice;
  game::Player* bob;
  std::vector<game::APrimalDinoCharacter*> dinos;
};

TEST_F(RegistriesTest, RemovingAPlayersEntriesKeepsEveryoneElsesInOrder) {
  const struct {
    const char* owners;  // one letter per entry: a(lice) or b(ob)
    const char* left;
  } cases[] = {
      {"aab", "b"}, {"baab", "bb"}, {"abab", "bb"}, {"aaaa", ""}, {"bbb", "bbb"}, {"", ""},
  };
  for (const auto& c : cases) {
    WildDinoTrackers.clear();
    TrackCounts.clear();
    std::vector<std::pair<std::string, int>> expected;
    for (int i = 0; c.owners[i] != '\0'; ++i) {
      const bool isAlice = c.owners[i] == 'a';
      AppendDinoEntry(WildDinoTrackers, Controller(isAlice ? alice : bob), Dino(i % 5));
      if (!isAlice) expected.emplace_back("bob", i % 5);
    }
    RemovePlayerDinoEntries(WildDinoTrackers, Controller(alice));
    EXPECT_EQ(Contents(WildDinoTrackers), expected) << c.owners;
    const auto bobs = static_cast<std::int32_t>(expected.size());
    EXPECT_EQ(CountOf(1).value_or(0), 0) << c.owners;
    EXPECT_EQ(CountOf(2).value_or(0), bobs) << c.owners;
  }
}

// A player who reconnected has a new controller; his old entries are still his.
TEST_F(RegistriesTest, RemovalByPlayerIdReachesEntriesOfAnEarlierController) {
  AppendDinoEntry(TribeDinoTrackers, Controller(alice), Dino(0));
  AppendDinoEntry(TribeDinoTrackers, Controller(bob), Dino(1));
  game.Reconnect(*alice, false);
  AppendDinoEntry(TribeDinoTrackers, Controller(alice), Dino(2));
  EXPECT_EQ(CountOf(1), 2);

  RemovePlayerDinoEntries(TribeDinoTrackers, Controller(alice));
  EXPECT_EQ(Contents(TribeDinoTrackers), (std::vector<std::pair<std::string, int>>{{"bob", 1}}));
  EXPECT_EQ(CountOf(1), 0);
}

TEST_F(RegistriesTest, MemberEntriesAreRemovedByControllerIdentity) {
  AppendMemberEntry(Controller(alice));
  AppendMemberEntry(Controller(bob));
  AppendMemberEntry(Controller(alice));
  auto* oldController = Controller(alice);
  game.Reconnect(*alice, true);
  AppendMemberEntry(Controller(alice));

  RemoveControllerMemberEntries(oldController);
  ASSERT_EQ(TribeMemberTrackers.size(), 2u);
  EXPECT_EQ(TribeMemberTrackers.front().tracker.Get(), Controller(bob));
  EXPECT_EQ(TribeMemberTrackers.back().tracker.Get(), Controller(alice));
  EXPECT_TRUE(TrackCounts.empty()) << "member entries are never counted";
}

// After a reconnection the old controller may keep drawing; its member entries are still the
// player's, for his cap and for their removal (by /stoptrack) from either controller.
TEST_F(RegistriesTest, MemberEntriesAreHeldPerPlayerAcrossControllers) {
  AppendMemberEntry(Controller(alice));
  AppendMemberEntry(Controller(bob));
  auto* oldController = Controller(alice);
  game.Reconnect(*alice, true);
  for (int i = 0; i < kMemberEntriesPerPlayer; ++i) AppendMemberEntry(Controller(alice));
  EXPECT_EQ(TribeMemberTrackers.size(), 1u + kMemberEntriesPerPlayer);

  RemovePlayerMemberEntries(oldController);
  ASSERT_EQ(TribeMemberTrackers.size(), 1u);
  EXPECT_EQ(TribeMemberTrackers.front().tracker.Get(), Controller(bob));
}

TEST_F(RegistriesTest, CountOperations) {
  // A player never seen counts 0, whatever was asked before.
  Config["MaxTrackPerPlayer"] = 0;
  EXPECT_TRUE(IsTrackLimitReached(Controller(alice)));
  EXPECT_EQ(RemainingTrackSlots(Controller(alice)), 0);
  EXPECT_EQ(CountOf(1), std::nullopt) << "asking creates no entry";
  EXPECT_TRUE(IsTrackLimitReached(Controller(alice)));

  Config["MaxTrackPerPlayer"] = 3;
  RemoveTrackedItem(Controller(bob));
  EXPECT_EQ(CountOf(2), std::nullopt) << "removing creates no entry";
  EXPECT_EQ(RemainingTrackSlots(Controller(bob)), 3);
  AddTrackedItem(Controller(bob));
  AddTrackedItem(Controller(bob));
  EXPECT_EQ(RemainingTrackSlots(Controller(bob)), 1);
  AddTrackedItem(Controller(bob));
  EXPECT_TRUE(IsTrackLimitReached(Controller(bob)));
  ResetTrackCount(2);
  EXPECT_EQ(CountOf(2), 0);
  ResetTrackCount(3);
  EXPECT_EQ(CountOf(3), std::nullopt);

  // No controller: nothing counted, no slots, always at the limit.
  AddTrackedItem(nullptr);
  RemoveTrackedItem(static_cast<AShooterPlayerController*>(nullptr));
  EXPECT_EQ(RemainingTrackSlots(nullptr), 0);
  EXPECT_TRUE(IsTrackLimitReached(nullptr));
  EXPECT_EQ(CountOf(0), std::nullopt);
  // Not even the count of a player the game has no id for (id 0).
  TrackCounts[0] = 1;
  RemoveTrackedItem(static_cast<AShooterPlayerController*>(nullptr));
  EXPECT_EQ(CountOf(0), 1);
}

TEST_F(RegistriesTest, DroppingAnEntryGivesTheSlotBackToWhoeverItWasCountedFor) {
  AppendDinoEntry(WildDinoTrackers, Controller(alice), Dino(0));
  AppendDinoEntry(WildDinoTrackers, Controller(bob), Dino(1));
  game.Disconnect(*alice);
  auto next = DropDinoEntry(WildDinoTrackers, WildDinoTrackers.begin());
  EXPECT_EQ(next, WildDinoTrackers.begin());
  EXPECT_EQ(CountOf(1), 0);
  EXPECT_EQ(CountOf(2), 1);
}

// StopTrack with a player leaves none of his entries in the three registries and his count at
// 0; every other player's entries stay in their order. It allocates nothing that outlives it.
TEST_F(RegistriesTest, StopTrackEndsEverythingOfTheCallerOnly) {
  AppendDinoEntry(WildDinoTrackers, Controller(alice), Dino(0));
  AppendDinoEntry(WildDinoTrackers, Controller(bob), Dino(0));
  AppendDinoEntry(WildDinoTrackers, Controller(alice), Dino(1));
  AppendDinoEntry(TribeDinoTrackers, Controller(alice), Dino(2));
  AppendDinoEntry(TribeDinoTrackers, Controller(bob), Dino(3));
  AppendMemberEntry(Controller(alice));
  AppendMemberEntry(Controller(bob));
  AppendMemberEntry(Controller(alice));
  TrackCounts[1] += 5;  // more than her entries account for: the whole count goes all the same
  const host::TextView line = u"/stoptrack please";
  const auto blocks = game::LiveBlocks();

  StopTrackCommand(Controller(alice), line, 0);
  EXPECT_EQ(game::LiveBlocks(), blocks);
  EXPECT_EQ(Contents(WildDinoTrackers), (std::vector<std::pair<std::string, int>>{{"bob", 0}}));
  EXPECT_EQ(Contents(TribeDinoTrackers), (std::vector<std::pair<std::string, int>>{{"bob", 3}}));
  ASSERT_EQ(TribeMemberTrackers.size(), 1u);
  EXPECT_EQ(TribeMemberTrackers.front().tracker.Get(), Controller(bob));
  EXPECT_EQ(CountOf(1), 0);
  EXPECT_EQ(CountOf(2), 2);

  auto& carol = AddPlayer("carol", 3);
  StopTrackCommand(Controller(&carol), line, 0);
  EXPECT_EQ(CountOf(3), std::nullopt) << "a player who never tracked gets no count";
  EXPECT_EQ(EventsOf("chat").size(), 2u) << "both callers are answered";
}

// Without a player there is no id to match: nothing of anybody's goes, nobody is answered.
TEST_F(RegistriesTest, StopTrackWithoutAPlayerRemovesNothing) {
  AppendDinoEntry(WildDinoTrackers, Controller(alice), Dino(0));
  AppendDinoEntry(TribeDinoTrackers, Controller(bob), Dino(1));
  AppendMemberEntry(Controller(alice));

  StopTrackCommand(nullptr, u"/stoptrack", 0);
  EXPECT_EQ(WildDinoTrackers.size(), 1u);
  EXPECT_EQ(TribeDinoTrackers.size(), 1u);
  EXPECT_EQ(TribeMemberTrackers.size(), 1u);
  EXPECT_EQ(CountOf(1), 1);
  EXPECT_EQ(CountOf(2), 1);
  EXPECT_EQ(CountOf(0), std::nullopt);
  EXPECT_TRUE(EventsOf("chat").empty());
}

TEST_F(RegistriesTest, AReloadKeepsEntriesAndCounts) {
  Load();
  AppendDinoEntry(WildDinoTrackers, Controller(alice), Dino(0));
  AppendDinoEntry(TribeDinoTrackers, Controller(bob), Dino(1));
  AppendMemberEntry(Controller(alice));
  ResetTrackCount(2);

  game.Console(nullptr, "Packsentinel.Reload");
  EXPECT_EQ(EventsOf("unregistered").size(), 5u) << "the reload ran";
  EXPECT_EQ(Contents(WildDinoTrackers), (std::vector<std::pair<std::string, int>>{{"alice", 0}}));
  EXPECT_EQ(Contents(TribeDinoTrackers), (std::vector<std::pair<std::string, int>>{{"bob", 1}}));
  EXPECT_EQ(TribeMemberTrackers.size(), 1u);
  EXPECT_EQ(CountOf(1), 1);
  EXPECT_EQ(CountOf(2), 0);
}

}  // namespace
