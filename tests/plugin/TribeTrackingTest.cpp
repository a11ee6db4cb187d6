// Tribe tracking where the game is in states a scenario cannot set up or look into: a tracker
// without a player state, the pairs the member updater records with the game mode, and a
// controller born into the memory of one that had switched member tracking on.

#include "commands/TrackTribeMembers.h"
#include "core/Lifecycle.h"
#include "support/PluginFixture.h"
#include "tracking/TribeMemberLabels.h"

namespace {

using namespace packsentinel;

class TribeTrackingTest : public testing_support::PluginFixture {
 protected:
  TribeTrackingTest() {
    ReadConfig();
    TextUpdatePeriod = 0;  // every updater call refreshes
    alice = &AddTribeMate("alice", 1, {}, false);
  }

  // The player id is the data id unless one is given.
  game::Player& AddTribeMate(const std::string& name, std::int32_t id, FVector at, bool unmapped,
                             std::uint64_t playerId = 0) {
    game::PlayerSpec setup;
    setup.name = name;
    setup.steamId = playerId != 0 ? playerId : static_cast<std::uint64_t>(id);
    setup.dataId = id;
    setup.tribe = 7;
    setup.at = at;
    setup.unmapped = unmapped;
    return game.AddPlayer(setup);
  }

  static void Chat(const game::Player* player, const char16_t* line) {
    TrackTribeMembersCommand(Controller(player), line, 0);
  }

  game::AShooterGameMode& GameMode() {
    return *reinterpret_cast<game::AShooterGameMode*>(game.GameMode());
  }

  game::Player* alice;
};

TEST_F(TribeTrackingTest, TrackerWithoutPlayerStateKeepsHisEntryAndIsSentNoLabel) {
  AddTribeMate("bob", 2, {1500.f, 0.f, 0.f}, false);
  Chat(alice, u"/trackmates on");
  auto* state = alice->controller->PlayerState;
  alice->controller->PlayerState = nullptr;

  TribeMemberLabelUpdater(0.f);
  EXPECT_TRUE(EventsOf("floating_text").empty());
  EXPECT_EQ(TribeMemberTrackers.size(), 1u);

  alice->controller->PlayerState = state;
  TribeMemberLabelUpdater(0.f);
  ASSERT_EQ(EventsOf("floating_text").size(), 1u) << "the kept entry is drawn once he has one";
  EXPECT_EQ(EventsOf("floating_text")[0]["text"], "bob 15m");
}

// Each "on" adds an entry that draws its own labels, up to ten a player: beyond that the reply
// is the same but nothing is recorded, so chat cannot make every refresh slower without end.
TEST_F(TribeTrackingTest, RepeatedOnHoldsAtMostTenEntriesAPlayer) {
  auto& bob = AddTribeMate("bob", 2, {1500.f, 0.f, 0.f}, false);
  for (int i = 0; i < 12; ++i) Chat(alice, u"/trackmates on");
  Chat(&bob, u"/trackmates on");
  EXPECT_EQ(EventsOf("chat").size(), 13u);
  for (const auto& reply : EventsOf("chat"))
    EXPECT_EQ(reply["text"], "Your tribe mates are now marked.");

  TribeMemberLabelUpdater(0.f);
  const auto labelsTo = [&](const game::Player& player) {
    const auto labels = EventsOf("floating_text");
    return std::count_if(labels.begin(), labels.end(), [&](const auto& label) {
      return label["to"] == player.controller->Handle;
    });
  };
  EXPECT_EQ(labelsTo(*alice), 10);
  EXPECT_EQ(labelsTo(bob), 1);

  Chat(alice, u"/trackmates off");
  Chat(alice, u"/trackmates on");
  EXPECT_EQ(TribeMemberTrackers.size(), 2u);
}

// Mates the game mode cannot map are looked up among the online controllers and the pair is
// recorded, 0 for one who is offline. The tribe lists a data id as 32 bits and the controller
// links it as 64: dave's 0xFFFFFFFE is linked as 0xFFFFFFFFFFFFFFFE, and is still his.
TEST_F(TribeTrackingTest, UnmappedMatesArePairedWithTheGameMode) {
  AddTribeMate("bob", 2, {1500.f, 0.f, 0.f}, true);
  auto& carol = AddTribeMate("carol", 3, {2000.f, 0.f, 0.f}, true);
  auto& dave = AddTribeMate("dave", -2, {2500.f, 0.f, 0.f}, true, 4);
  game.Disconnect(carol);
  for (const std::int32_t unmapped : {2, 3, -2})
    ASSERT_EQ(GameMode().PlayerIds.count(unmapped), 0u);
  ASSERT_EQ(dave.controller->LinkedPlayerID, 0xFFFFFFFFFFFFFFFEu);
  Chat(alice, u"/trackmates on");

  TribeMemberLabelUpdater(0.f);
  const struct {
    std::int32_t dataId;
    std::uint64_t playerId;
  } pairs[] = {{2, 2}, {3, 0}, {-2, 4}};
  for (const auto& pair : pairs) {
    const auto found = GameMode().PlayerIds.find(pair.dataId);
    ASSERT_NE(found, GameMode().PlayerIds.end()) << pair.dataId;
    EXPECT_EQ(found->second, pair.playerId) << pair.dataId;
  }
  const auto labels = EventsOf("floating_text");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0]["text"], "bob 15m");
  EXPECT_EQ(labels[1]["text"], "dave 25m");
}

// Of two online controllers linked to the same data id, the first in the world's list is the
// mate's.
TEST_F(TribeTrackingTest, TheFirstControllerLinkedToAnUnmappedIdIsTheMate) {
  AddTribeMate("bob", 2, {1500.f, 0.f, 0.f}, true);
  auto& carol = AddTribeMate("carol", 3, {2000.f, 0.f, 0.f}, false);
  carol.controller->LinkedPlayerID = 2;
  Chat(alice, u"/trackmates on");

  TribeMemberLabelUpdater(0.f);
  EXPECT_EQ(GameMode().PlayerIds.at(2), 2u);
  const auto labels = EventsOf("floating_text");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0]["text"], "bob 15m");
  EXPECT_EQ(labels[1]["text"], "carol 20m");
}

TEST_F(TribeTrackingTest, OffFromANewControllerInTheOldOnesMemoryLeavesTheOldEntry) {
  Chat(alice, u"/trackmates on");
  auto* first = alice->controller;
  game.Disconnect(*alice);
  game.Reconnect(*alice, false);
  ASSERT_EQ(alice->controller, first) << "the stand-in reuses the memory at once";

  Chat(alice, u"/trackmates off");
  ASSERT_EQ(TribeMemberTrackers.size(), 1u);
  EXPECT_EQ(TribeMemberTrackers.front().tracker.Get(), nullptr);
  TribeMemberLabelUpdater(0.f);
  EXPECT_TRUE(TribeMemberTrackers.empty()) << "the refresh drops the entry of the gone controller";
}

}  // namespace
