// The wild-creature label updater: which entries a refresh drops, whose slot comes back, and
// what a failing refresh leaves behind.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/Lifecycle.h"
#include "game/Game.h"
#include "support/PluginFixture.h"
#include "tracking/WildDinoLabels.h"

namespace {

using namespace packsentinel;
using game::APrimalCharacter;

class WildDinoLabelsTest : public testing_support::PluginFixture {
 protected:
  WildDinoLabelsTest() {
    ReadConfig();
    TextUpdatePeriod = 0;
    WildLabelTickCount = 0;
  }

  static APrimalDinoCharacter* Dino(game::APrimalDinoCharacter* dino) {
    return reinterpret_cast<APrimalDinoCharacter*>(dino);
  }

  void Track(const game::Player& player, game::APrimalDinoCharacter* dino) {
    AppendDinoEntry(WildDinoTrackers, Controller(player), Dino(dino));
  }

  // The labels one refresh draws, as "player: text".
  std::vector<std::string> Refresh() {
    framework::Events().ClearRetained();
    WildDinoLabelUpdater(0.f);
    std::vector<std::string> labels;
    for (const auto& event : EventsOf("debug_string")) {
      labels.push_back(event["to"].get<std::string>() + ": " + event["text"].get<std::string>());
    }
    return labels;
  }

  std::int32_t CountOf(std::uint64_t id) const { return TrackCounts.at(id); }
};

TEST_F(WildDinoLabelsTest, DropsEntriesWhoseCreatureOrTrackerIsGoneAndGivesTheSlotBack) {
  using Change = std::function<void(game::Game&, game::Player&, game::APrimalDinoCharacter*)>;
  const struct {
    const char* what;
    Change change;
    bool dropped;
  } cases[] = {
      {"nothing", [](auto&, auto&, auto*) {}, false},
      {"creature asleep",
       [](auto&, auto&, auto* d) { d->SetFlag(APrimalCharacter::kIsSleepingBit, true); }, true},
      {"creature being destroyed", [](auto&, auto&, auto* d) { d->SetDestroying(true); }, true},
      {"creature dead flag",
       [](auto&, auto&, auto* d) { d->SetFlag(APrimalCharacter::kIsDeadBit, true); }, true},
      // Only the flag counts here; the game's own answer is not asked.
      {"creature without health",
       [](auto&, auto&, auto* d) { d->MyCharacterStatusComponent->Health = 0.f; }, false},
      {"creature destroyed", [](auto& g, auto&, auto* d) { g.DestroyDino(d); }, true},
      {"creature destroyed, memory reused",
       [](auto& g, auto&, auto* d) {
         g.DestroyDino(d);
         ASSERT_EQ(g.SpawnDino({"", "Newcomer", 1, 0, {}}), d) << "the stand-in reuses memory";
       },
       true},
      {"tracker without character",
       [](auto& g, auto& p, auto*) { g.SetCharacterPossessed(p, false); }, true},
      {"tracker's character destroyed", [](auto& g, auto& p, auto*) { g.DestroyCharacter(p); },
       true},
      {"tracker not connected", [](auto&, auto& p, auto*) { p.character->SetConnected(false); },
       true},
      {"tracker respawning", [](auto&, auto& p, auto*) { p.controller->SetRespawning(true); },
       true},
      {"tracker disconnected", [](auto& g, auto& p, auto*) { g.Disconnect(p); }, true},
      {"tracker reconnected", [](auto& g, auto& p, auto*) { g.Reconnect(p, false); }, true},
      {"tracker dead",
       [](auto&, auto& p, auto*) { p.character->SetFlag(APrimalCharacter::kIsDeadBit, true); },
       false},
  };
  std::uint64_t steamId = 100;
  for (const auto& c : cases) {
    WildDinoTrackers.clear();
    TrackCounts.clear();
    ++steamId;
    auto& player = AddPlayer("p" + std::to_string(steamId), steamId);
    auto* dino = game.SpawnDino({"", "Rex", 5, 0, {300, 0, 0}});
    Track(player, dino);
    c.change(game, player, dino);

    const auto labels = Refresh();
    EXPECT_EQ(WildDinoTrackers.size(), c.dropped ? 0u : 1u) << c.what;
    EXPECT_EQ(CountOf(steamId), c.dropped ? 0 : 1) << c.what;
    EXPECT_EQ(labels.size(), c.dropped ? 0u : 1u) << c.what;
  }
}

TEST_F(WildDinoLabelsTest, TheWalkGoesOnAfterADropAndKeepsTheOrder) {
  auto& alice = AddPlayer("alice", 1);
  auto& bob = AddPlayer("bob", 2);
  auto* rex = game.SpawnDino({"", "Rex", 1, 0, {100, 0, 0}});
  auto* sleeper = game.SpawnDino({"", "Sleeper", 1, 0, {200, 0, 0}});
  auto* dodo = game.SpawnDino({"", "Dodo", 1, 0, {300, 0, 0}});
  Track(alice, sleeper);
  Track(alice, rex);
  Track(bob, sleeper);
  Track(bob, sleeper);
  Track(alice, dodo);
  Track(bob, rex);
  sleeper->SetFlag(APrimalCharacter::kIsSleepingBit, true);

  EXPECT_EQ(Refresh(),
            (std::vector<std::string>{"alice: Rex 1 1m", "alice: Dodo 1 3m", "bob: Rex 1 1m"}));
  EXPECT_EQ(WildDinoTrackers.size(), 3u);
  EXPECT_EQ(CountOf(1), 2);
  EXPECT_EQ(CountOf(2), 1);
}

TEST_F(WildDinoLabelsTest, AMissingSwitchFailsTheRefreshWithoutTouchingTheRegistry) {
  auto& alice = AddPlayer("alice", 1);
  auto* sleeper = game.SpawnDino({"", "Rex", 1, 0, {}});
  Track(alice, sleeper);
  sleeper->SetFlag(APrimalCharacter::kIsSleepingBit, true);

  for (const char* value : {"absent", "\"yes\"", "1"}) {
    if (std::string(value) == "absent") {
      Config["Commands"]["TrackWildDinos"].erase("Enabled");
    } else {
      Config["Commands"]["TrackWildDinos"]["Enabled"] = nlohmann::json::parse(value);
    }
    try {
      WildDinoLabelUpdater(0.f);
      ADD_FAILURE() << value << ": no error";
    } catch (const nlohmann::json::type_error& error) {
      EXPECT_EQ(error.id, 302) << value;
      EXPECT_NE(std::string(error.what()).find("type must be boolean, but is "), std::string::npos)
          << error.what();
    }
    EXPECT_EQ(WildDinoTrackers.size(), 1u) << value;
    EXPECT_EQ(CountOf(1), 1) << value;
  }
}

// A creature without status component has no level to show: its placeholder is left empty,
// while a creature of level 0 shows 0.
TEST_F(WildDinoLabelsTest, ACreatureWithoutStatusComponentShowsNoLevel) {
  auto& alice = AddPlayer("alice", 1);
  auto* rex = game.SpawnDino({"", "Rex", 5, 0, {300, 0, 0}});
  auto* dodo = game.SpawnDino({"", "Dodo", 0, 0, {300, 0, 0}});
  Track(alice, rex);
  Track(alice, dodo);
  auto* status = std::exchange(rex->MyCharacterStatusComponent, nullptr);
  const auto labels = Refresh();
  rex->MyCharacterStatusComponent = status;  // the game destroys it with the creature

  EXPECT_EQ(labels, (std::vector<std::string>{"alice: Rex  3m", "alice: Dodo 0 3m"}));
}

// An error while one entry is handled ends the refresh there: what was dropped before it stays
// dropped, and what follows is neither tested nor drawn.
TEST_F(WildDinoLabelsTest, AnErrorAtOneEntryEndsTheWalkThere) {
  auto& alice = AddPlayer("alice", 1);
  auto* sleeper = game.SpawnDino({"", "Sleeper", 1, 0, {}});
  auto* rex = game.SpawnDino({"", "Rex", 1, 0, {}});
  auto* corpse = game.SpawnDino({"", "Corpse", 1, 0, {}});
  Track(alice, sleeper);
  Track(alice, rex);
  Track(alice, corpse);
  sleeper->SetFlag(APrimalCharacter::kIsSleepingBit, true);
  corpse->SetFlag(APrimalCharacter::kIsDeadBit, true);
  Config.erase("FloatingTexts");

  EXPECT_THROW(WildDinoLabelUpdater(0.f), nlohmann::json::type_error);
  EXPECT_TRUE(EventsOf("debug_string").empty());
  ASSERT_EQ(WildDinoTrackers.size(), 2u);
  EXPECT_EQ(WildDinoTrackers.front().creature.Get(), Dino(rex));
  EXPECT_EQ(WildDinoTrackers.back().creature.Get(), Dino(corpse));
  EXPECT_EQ(CountOf(1), 2);
}

}  // namespace
