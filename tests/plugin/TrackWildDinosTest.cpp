// The TrackWildDinos command where a scenario cannot reach: the query radius for any
// "MaxTrackRange", a character without a position, and a query that returns what is no
// creature.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "commands/TrackWildDinos.h"
#include "game/Game.h"
#include "support/FunctionHook.h"
#include "support/PluginFixture.h"

namespace {

using namespace packsentinel;
using testing_support::FunctionHook;

class TrackWildDinosTest : public testing_support::PluginFixture {
 protected:
  TrackWildDinosTest() {
    ReadConfig();
    alice = &AddPlayer("alice", 1);
    game.SpawnDino({"", "Rex", 1, 0, {100, 0, 0}});
  }

  // The chat lines alice reads after typing the line.
  std::vector<std::string> Type(std::u16string_view text) {
    framework::Events().ClearRetained();
    TrackWildDinosCommand(reinterpret_cast<AShooterPlayerController*>(alice->controller), text, 0);
    std::vector<std::string> replies;
    for (const auto& event : EventsOf("chat")) replies.push_back(event["text"].get<std::string>());
    return replies;
  }

  game::Player* alice;
};

TEST_F(TrackWildDinosTest, AFixedRangeIsOneQueryOfThatManyWholeMetres) {
  const struct {
    const char* range;
    float radius;
  } cases[] = {
      {"50", 5000.f},
      {"50.9", 5000.f},
      {"0.5", 0.f},
      {"21474836", 2147483600.f},
      // Past 32 bits of game units: the widest search, not a wrapped radius.
      {"21474837", 2147483700.f},
      {"4000000000", 214748364700.f},
      {"1e300", 214748364700.f},
  };
  for (const auto& c : cases) {
    TrackCounts.clear();
    Config["Commands"]["TrackWildDinos"]["MaxTrackRange"] = nlohmann::json::parse(c.range);
    game.TakeOverlapQueries();
    Type(u"/trackdino dodo");
    EXPECT_EQ(game.TakeOverlapQueries(), std::vector<float>{c.radius}) << c.range;
  }
}

TEST_F(TrackWildDinosTest, ACharacterWithoutPositionFindsNothing) {
  auto* character = alice->character;
  auto* root = character->RootComponent;
  character->RootComponent = nullptr;
  for (const char* range : {"300", "0"}) {
    Config["Commands"]["TrackWildDinos"]["MaxTrackRange"] = nlohmann::json::parse(range);
    game.TakeOverlapQueries();
    EXPECT_EQ(Type(u"/trackdino rex"),
              std::vector<std::string>{"No wild creature called rex is near you."})
        << range;
    EXPECT_TRUE(game.TakeOverlapQueries().empty()) << range;
    EXPECT_TRUE(WildDinoTrackers.empty()) << range;
  }
  character->RootComponent = root;
}

// What the player typed comes back in the reply as typed, not as bytes of its UTF-8 form.
TEST_F(TrackWildDinosTest, RepliesRepeatNonAsciiWordsIntact) {
  game.SpawnDino({"", "Tête Rex", 7, 0, {200, 0, 0}});
  Config["Commands"]["TrackWildDinos"]["MaxTrackRange"] = 300;
  Config["Messages"]["NoDinosFound"] = "none: {}";
  Config["Messages"]["TrackingDinosWithLevel"] = "{} / {} / {}";
  EXPECT_EQ(Type(u"/trackdino Ünknown"), std::vector<std::string>{"none: Ünknown"});
  EXPECT_EQ(Type(u"/trackdino Tête rex"), std::vector<std::string>{"Tête rex / rex / 10"});
}

// However long the line, a reply repeats at most 100 characters of what was typed, and never
// half of a character written as a surrogate pair.
TEST_F(TrackWildDinosTest, RepliesRepeatAtMostAHundredCharactersOfTheLine) {
  Config["Messages"]["NoDinosFound"] = "{0}|{0}";
  const std::u16string dinosaur = u"\U0001F996";
  const struct {
    std::u16string typed;
    std::u16string echoed;
  } cases[] = {
      {std::u16string(100, u'a'), std::u16string(100, u'a')},
      {std::u16string(1000000, u'a'), std::u16string(100, u'a')},
      {std::u16string(99, u'a') + dinosaur, std::u16string(99, u'a')},
      // U+10000 is D800 DC00: the first of the leading halves.
      {std::u16string(99, u'a') + u"\U00010000", std::u16string(99, u'a')},
      // U+10FFFF is DBFF DFFF: the last of them.
      {std::u16string(99, u'a') + u"\U0010FFFF", std::u16string(99, u'a')},
      {std::u16string(98, u'a') + dinosaur + u"a", std::u16string(98, u'a') + dinosaur},
  };
  for (const auto& c : cases) {
    const std::string echoed = host::ToUtf8(c.echoed);
    EXPECT_EQ(Type(u"/trackdino " + c.typed), std::vector<std::string>{echoed + "|" + echoed})
        << c.typed.size();
  }
}

std::map<DWORD64, int> creatureTests;
// Hooks have the exact types the plugin calls the game's functions with: the object first, as an
// integer.
bool (*gameIsA)(DWORD64, UClass*) = nullptr;
bool CountedIsA(DWORD64 self, UClass* other) {
  ++creatureTests[self];
  return gameIsA(self, other);
}

// The expanding search queries ever larger rings, each returning the smaller ones' actors again:
// an actor is tested once per search, whatever ring first returned it.
TEST_F(TrackWildDinosTest, TheExpandingSearchTestsEachActorOnce) {
  Config["Commands"]["TrackWildDinos"]["MaxTrackRange"] = 0;
  for (const float x : {5000.f, 15000.f, 30000.f, 900000.f, 9000000.f}) {
    game.SpawnDino({"", "Dodo", 1, 0, {x, 0, 0}});
  }
  creatureTests.clear();
  FunctionHook isA("UObjectBaseUtility.IsA", &CountedIsA, &gameIsA);
  game.TakeOverlapQueries();
  EXPECT_EQ(Type(u"/trackdino raptor"),
            std::vector<std::string>{"No wild creature called raptor is near you."});
  EXPECT_EQ(game.TakeOverlapQueries().size(), 11u);
  ASSERT_EQ(creatureTests.size(), 6u);
  for (const auto& [actor, tests] : creatureTests) EXPECT_EQ(tests, 1) << actor;
}

TArray<AActor*>* (*gameOverlap)(TArray<AActor*>*, UWorld*, FVector, float, std::int32_t,
                                bool) = nullptr;
int overlapCalls = 0;
// Every other ring comes back in reverse: an order the search must not rely on.
TArray<AActor*>* OverlapInShiftingOrder(TArray<AActor*>* result, UWorld* world, FVector at,
                                        float radius, std::int32_t group, bool check) {
  gameOverlap(result, world, at, radius, group, check);
  if (++overlapCalls % 2 == 0) std::reverse(result->GetData(), result->GetData() + result->Num());
  return result;
}

TEST_F(TrackWildDinosTest, RingsInAnyOrderRecordEachCreatureOnce) {
  Config["Commands"]["TrackWildDinos"]["MaxTrackRange"] = 0;
  for (const float x : {15000.f, 30000.f, 60000.f}) game.SpawnDino({"", "Rex", 1, 0, {x, 0, 0}});
  overlapCalls = 0;
  FunctionHook overlap("UVictoryCore.ServerOctreeOverlapActors", &OverlapInShiftingOrder,
                       &gameOverlap);
  Type(u"/trackdino rex");
  std::set<APrimalDinoCharacter*> distinct;
  for (const auto& entry : WildDinoTrackers) distinct.insert(entry.creature.Get());
  EXPECT_EQ(WildDinoTrackers.size(), 4u);
  EXPECT_EQ(distinct.size(), 4u);
}

AActor* stranger = nullptr;
// The game may return what is no creature at all: an empty entry and another kind of actor.
TArray<AActor*>* OverlapWithStrangers(TArray<AActor*>* result, UWorld* world, FVector at,
                                      float radius, std::int32_t group, bool check) {
  gameOverlap(result, world, at, radius, group, check);
  result->Add(nullptr);
  result->Add(stranger);
  return result;
}

// Only creatures are taken, in both searches: a player's character with a creature's name and
// a wild team is not one.
TEST_F(TrackWildDinosTest, SearchesTakeOnlyCreatures) {
  auto& rexHunter = AddPlayer("Rex Hunter", 2, {150, 0, 0});
  stranger = reinterpret_cast<AActor*>(rexHunter.character);
  ASSERT_LE(rexHunter.character->TargetingTeam, 10000);
  FunctionHook overlap("UVictoryCore.ServerOctreeOverlapActors", &OverlapWithStrangers,
                       &gameOverlap);
  for (const char* range : {"300", "0"}) {
    WildDinoTrackers.clear();
    TrackCounts.clear();
    Config["Commands"]["TrackWildDinos"]["MaxTrackRange"] = nlohmann::json::parse(range);
    Type(u"/trackdino rex");
    ASSERT_EQ(WildDinoTrackers.size(), 1u) << range;
    EXPECT_EQ(WildDinoTrackers.front().creature.Get(),
              reinterpret_cast<APrimalDinoCharacter*>(game.Dinos().front()))
        << range;
  }
}

}  // namespace
