// What one more label or one more searched creature costs in name resolutions. Each use resolves
// its name anew, and on a real server every resolution is a lookup in a table of the whole game:
// a change that adds one is seen here, to be weighed.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "commands/FindDinos.h"
#include "commands/TrackWildDinos.h"
#include "framework/Names.h"
#include "support/PluginFixture.h"
#include "tracking/TribeDinoLabels.h"
#include "tracking/TribeMemberLabels.h"
#include "tracking/WildDinoLabels.h"

namespace {

using namespace packsentinel;

class ResolutionCountTest : public testing_support::PluginFixture {
 protected:
  ResolutionCountTest() {
    // A caching permissions plugin answers a pair's first check at a cost its later ones do not
    // have: a cost of the first command, not of an item.
    game::Game::SetPermissionsCaching(false);
    ReadConfig();
    TextUpdatePeriod = 0;  // every updater call refreshes
    alice = &AddMate("alice", 1, {}, {"Default", "Admins"});
    AppendMemberEntry(Controller(*alice));
  }

  game::Player& AddMate(const std::string& name, std::int32_t id, FVector at,
                        std::vector<std::string> groups = {"Default"}) {
    game::PlayerSpec setup;
    setup.groups = std::move(groups);
    setup.name = name;
    setup.steamId = static_cast<std::uint64_t>(id);
    setup.dataId = id;
    setup.tribe = 7;
    setup.at = at;
    return game.AddPlayer(setup);
  }
  APrimalDinoCharacter* Spawn(const char* name, std::int32_t team, float x) {
    return reinterpret_cast<APrimalDinoCharacter*>(game.SpawnDino({"", name, 1, team, {x, 0, 0}}));
  }

  // The resolutions one more item adds to the work: the work done after one item, then after
  // another, compared. Where each item is drawn, it must show in as many events of kind.
  std::uint64_t PerItem(const std::function<void()>& addItem, const std::function<void()>& work,
                        const char* kind) {
    std::uint64_t counts[2];
    for (std::uint64_t& count : counts) {
      addItem();
      framework::Events().ClearRetained();
      const std::uint64_t before = framework::ResolutionCount();
      work();
      count = framework::ResolutionCount() - before;
      if (kind != nullptr) {
        EXPECT_EQ(EventsOf(kind).size(), static_cast<std::size_t>(&count - counts + 1)) << kind;
      }
    }
    return counts[1] - counts[0];
  }

  game::Player* alice;
};

TEST_F(ResolutionCountTest, PerLabelAndPerSearchedCreature) {
  float mateX = 0.f;
  game::Player* bob = nullptr;
  const struct {
    const char* what;
    std::function<void()> addItem;
    std::function<void()> work;
    const char* kind;
    std::uint64_t resolutions;
  } cases[] = {
      // One of them asks whether the creature is still what the search selected: wild, or of
      // the tracker's tribe.
      {"wild creature label",
       [&] { AppendDinoEntry(WildDinoTrackers, Controller(*alice), Spawn("Rex", 0, 2000.f)); },
       [] { WildDinoLabelUpdater(0.f); }, "debug_string", 11},
      {"tribe creature label",
       [&] { AppendDinoEntry(TribeDinoTrackers, Controller(*alice), Spawn("Rex", 7, 2000.f)); },
       [] { TribeDinoLabelUpdater(0.f); }, "debug_string", 10},
      // Two of them find his controller: the refresh reads each online controller's id once.
      {"tribe mate label",
       [&] {
         mateX += 1000.f;
         const auto id = static_cast<std::int32_t>(mateX / 1000.f) + 10;
         AddMate("mate" + std::to_string(id), id, {mateX, 0, 0});
       },
       [] { TribeMemberLabelUpdater(0.f); }, "floating_text", 12},
      // The same labels drawn again by one more of the tracker's entries: neither he nor the
      // mates he sees are asked again within the refresh. He now sees three (two from the row
      // above, and bob): five asks for the entry's tribe, two for each label.
      {"tribe mate label of a repeated entry",
       [&] {
         if (!bob) bob = &AddMate("bob", 2, {1000.f, 0, 0});
         AppendMemberEntry(Controller(*alice));
       },
       [] { TribeMemberLabelUpdater(0.f); }, nullptr, 11},
      // Creatures no search takes: wild, living, of another name.
      {"creature a near search passes over", [&] { Spawn("Rex", 0, 2000.f); },
       [&] { TrackWildDinosCommand(Controller(*alice), u"/trackdino zzz", 0); }, nullptr, 2},
      {"creature a map search passes over", [&] { Spawn("Rex", 0, 2000.f); },
       [&] { FindDinosCommand(Controller(*alice), u"/finddino zzz", 0); }, nullptr, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PerItem(c.addItem, c.work, c.kind), c.resolutions) << c.what;
  }
}

}  // namespace
