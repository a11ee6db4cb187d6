// FindDinos against a live game: the walk over the creatures as the game's own calls show it,
// creatures and array entries that a scenario cannot make, and the map coordinate conversion.

#include <API/ARK/Ark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "commands/FindDinos.h"
#include "commands/MapCoordinates.h"
#include "framework/Names.h"
#include "support/FunctionHook.h"
#include "support/PluginFixture.h"

namespace {

using namespace packsentinel;

using testing_support::FunctionHook;

class FindDinosTest : public testing_support::PluginFixture {
 protected:
  FindDinosTest() {
    ReadConfig();
    admin = &AddPlayer("admin", 1);
    game.SetGroups(*admin, {"Admins"});
  }

  game::APrimalDinoCharacter* Spawn(const char* handle, const char* name, std::int32_t level = 1,
                                    std::int32_t team = 0) {
    return game.SpawnDino({handle, name, level, team, {}});
  }

  void Find(const char16_t* line) {
    FindDinosCommand(reinterpret_cast<AShooterPlayerController*>(admin->controller), line, 0);
  }

  // The texts of the list notifications in order, "none" standing for "No dinos found".
  static std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (const auto& event : framework::Events().Retained()) {
      if (event["event"] == "notification") shown.push_back(event["text"]);
      if (event["event"] == "sotf_notification") shown.push_back("none");
    }
    return shown;
  }

  game::Player* admin;
};

TEST_F(FindDinosTest, CreaturesWithoutStatusOrRootComponentAreSkipped) {
  Spawn("whole", "Rex whole", 7);
  auto* statusless = Spawn("statusless", "Rex statusless", 7);
  auto* rootless = Spawn("rootless", "Rex rootless", 7);
  // Taken away for the search only, so that the game still frees them.
  auto* status = std::exchange(statusless->MyCharacterStatusComponent, nullptr);
  auto* root = std::exchange(rootless->RootComponent, nullptr);

  Find(u"/finddino rex");
  Find(u"/finddino rex 7");
  Find(u"/finddino rex s");

  statusless->MyCharacterStatusComponent = status;
  rootless->RootComponent = root;
  const std::string whole = "Found Dinos\nRex whole | level: 7 | location: 50 50\n";
  EXPECT_EQ(Shown(), (std::vector<std::string>{whole, whole, "none"}));
}

// Without a player there is nobody to answer, even when the gate lets id 0 through and
// creatures match: the game would be called on no object.
TEST_F(FindDinosTest, WithoutAPlayerNothingIsSent) {
  game.SetGroups(AddPlayer("idless", 0), {"Admins"});
  Spawn("rex", "Rex");
  framework::Events().ClearRetained();
  FindDinosCommand(nullptr, u"/finddino rex", 0);
  EXPECT_TRUE(framework::Events().Retained().empty());
}

// What the hooked array query hands out instead of the game's answer.
std::vector<game::AActor*> arrayEntries;

void HandOutArrayEntries(UObject* /*world*/, UClass* /*actorClass*/, TArray<AActor*>* out) {
  for (game::AActor* actor : arrayEntries) out->Add(reinterpret_cast<AActor*>(actor));
}

TEST_F(FindDinosTest, EmptyEntriesAndOtherActorsInTheArrayAreSkipped) {
  // A living character of a low team whose name matches: only the class test keeps it out.
  game::Player& rider = AddPlayer("Rex rider", 2);
  auto* rex = Spawn("rex", "Rex");
  arrayEntries = {nullptr, rider.character, rex, nullptr};
  FunctionHook actors("UGameplayStatics.GetAllActorsOfClass", &HandOutArrayEntries);

  Find(u"/finddino rex");

  EXPECT_EQ(Shown(), std::vector<std::string>{"Found Dinos\nRex | level: 1 | location: 50 50\n"});
}

// The game calls FindDinos makes, as (call, creature handle), in order.
std::vector<std::pair<std::string, std::string>> gameCalls;
std::map<const void*, std::string> handleOf;  // creatures and their status components

// Hooks have the exact types the plugin calls the game's functions with: the object first, as
// an integer.
bool (*gameIsA)(DWORD64, UClass*);
bool (*gameIsDead)(DWORD64);
std::int32_t (*gameGetCharacterLevel)(DWORD64);

const std::string& HandleOf(DWORD64 self) { return handleOf[reinterpret_cast<const void*>(self)]; }

bool LoggedIsA(DWORD64 self, UClass* other) {
  gameCalls.emplace_back("IsA", HandleOf(self));
  return gameIsA(self, other);
}
bool LoggedIsDead(DWORD64 self) {
  gameCalls.emplace_back("IsDead", HandleOf(self));
  return gameIsDead(self);
}
std::int32_t LoggedGetCharacterLevel(DWORD64 self) {
  gameCalls.emplace_back("Level", HandleOf(self));
  return gameGetCharacterLevel(self);
}

TEST_F(FindDinosTest, EachCreatureIsExaminedOnceCheapTestsBeforeTheLevel) {
  const struct {
    const char* handle;
    const char* name;
    std::int32_t level;
    std::int32_t team;
    bool dead;
    std::vector<std::string> calls;  // those the command makes on it
  } creatures[] = {
      // The one listed: its level is read once, for the test and for its line.
      {"wild", "Rex", 7, 0, false, {"IsA", "IsDead", "Level"}},
      {"dead", "Rex", 7, 0, true, {"IsA", "IsDead"}},
      {"tamed", "Rex", 7, 20000, false, {"IsA", "IsDead"}},
      // Another name ends it before its death is asked.
      {"other", "Raptor", 7, 0, false, {"IsA"}},
      {"level8", "Rex", 8, 0, false, {"IsA", "IsDead", "Level"}},
  };
  handleOf.clear();
  gameCalls.clear();
  std::vector<std::string> arrayOrder;
  for (const auto& c : creatures) {
    auto* dino = Spawn(c.handle, c.name, c.level, c.team);
    dino->SetFlag(game::APrimalCharacter::kIsDeadBit, c.dead);
    handleOf[dino] = c.handle;
    handleOf[dino->MyCharacterStatusComponent] = c.handle;
    arrayOrder.push_back(c.handle);
  }
  FunctionHook isA("UObjectBaseUtility.IsA", &LoggedIsA, &gameIsA);
  FunctionHook isDead("APrimalCharacter.IsDead", &LoggedIsDead, &gameIsDead);
  FunctionHook level("UPrimalCharacterStatusComponent.GetCharacterLevel", &LoggedGetCharacterLevel,
                     &gameGetCharacterLevel);

  Find(u"/finddino rex 7");

  std::vector<std::string> examined;
  for (const auto& [call, handle] : gameCalls) {
    if (call == "IsA") examined.push_back(handle);
  }
  EXPECT_EQ(examined, arrayOrder);
  for (const auto& c : creatures) {
    std::vector<std::string> calls;
    for (const auto& [call, handle] : gameCalls) {
      if (handle == c.handle) calls.push_back(call);
    }
    EXPECT_EQ(calls, c.calls) << c.handle;
  }
  EXPECT_EQ(Shown(), std::vector<std::string>{"Found Dinos\nRex | level: 7 | location: 50 50\n"});
}

// The list keeps whole lines up to the bound every reply keeps, then counts the rest; below the
// bound it is whole. "Dinos found" counts every match either way.
TEST_F(FindDinosTest, TheListKeepsWholeLinesWithinTheReplyBound) {
  const std::string line = "Rexy | level: 1 | location: 50 50\n";  // 34 bytes
  const struct {
    int creatures;
    int listed;
    const char* last;  // the list's last line
  } cases[] = {
      {117, 117, "Rexy | level: 1 | location: 50 50"},  // 12 + 117 * 34 = 3990
      {118, 116, "... and 2 more"},                     // 117 lines leave no room for the count
      {1000, 116, "... and 884 more"},
  };
  int spawned = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.creatures);
    for (; spawned < c.creatures; ++spawned)
      Spawn(("rex" + std::to_string(spawned)).c_str(), "Rexy");
    framework::Events().ClearRetained();
    Find(u"/finddino rex");
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    const std::string& text = shown[0];
    EXPECT_LE(text.size(), 4000u);
    std::size_t lines = 0;
    for (auto at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++lines;
    EXPECT_EQ(lines, static_cast<std::size_t>(c.listed));
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1), std::string(c.last) + "\n");
    EXPECT_EQ(EventsOf("chat").back()["text"], "Dinos found: " + std::to_string(c.creatures));
  }
}

TEST(MapCoordinateTest, SinglePrecisionInTheGameOrder) {
  const struct {
    float position, scale, origin;
    float expected;
  } cases[] = {
      // Every setting 0: 0 at -400000, 100 at +400000.
      {0.f, 0.f, 0.f, 50.f},
      {123456.f, 0.f, 0.f, 65.4f},
      {-1.f, 0.f, 0.f, 49.9f},
      {-400000.f, 0.f, 0.f, 0.f},
      {400000.f, 0.f, 0.f, 100.f},
      // Only the origin's size counts; a scale of 0 still falls back alone.
      {123456.f, 400.f, 300000.f, 105.8f},
      {123456.f, 400.f, -300000.f, 105.8f},
      {123456.f, 0.f, -200000.f, 40.4f},
      {123456.f, 1000.f, 0.f, 52.3f},
      // Cut towards minus infinity, also below the map.
      {123600.f, 0.f, 0.f, 65.4f},
      {-471375.f, 0.f, 0.f, -9.f},
      {-400400.f, 0.f, 0.f, -0.1f},
      // Each differs when computed in double, as (position + origin) * k, as s / 100 or with
      // the scale divided last.
      {-28800.00390625f, 0.f, 0.f, 46.4f},
      {-434000.f, 700.f, -350000.f, -12.f},
      {56999.97265625f, 1000.f, -500000.f, 55.7f},
      {63199.95703125f, 0.f, 0.f, 57.9f},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MapCoordinate(c.position, c.scale, c.origin), c.expected)
        << c.position << " " << c.scale << " " << c.origin;
  }
}

TEST(MapCoordinateTest, LatitudeFromYLongitudeFromX) {
  const host::MapScale scale{1000.f, -500000.f, 400.f, 300000.f};
  const MapPosition place = ToMapPosition({123456.f, -500000.f, 7.f}, scale);
  EXPECT_EQ(place.latitude, 0.f);
  EXPECT_EQ(place.longitude, 105.8f);
}

}  // namespace
