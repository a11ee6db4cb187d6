// The world queries a plugin makes by name, checked against plain scans of the world.

#include <API/ARK/Ark.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/Allocator.h"
#include "support/GameFixture.h"

namespace {

using testing_support::GameFixture;

// An array's elements in order: TArray has no begin() or end() of its own.
template <typename T>
std::vector<T> Listed(const TArray<T>& array) {
  return std::vector<T>(array.GetData(), array.GetData() + array.Num());
}

// Player controllers in the world's list that still lead to one.
int LiveControllers(game::Game& game) {
  int live = 0;
  for (const auto& weak : game.GameWorld()->PlayerControllerList) {
    live += game.Objects().Resolve(weak) != nullptr ? 1 : 0;
  }
  return live;
}

class WorldQueriesTest : public GameFixture {
 protected:
  TArray<AActor*> Overlap(const FVector& centre, float radius, int32 group = 2) {
    TArray<AActor*> result;
    NativeCall<TArray<AActor*>*, TArray<AActor*>*, UWorld*, FVector, float, int32, bool>(
        nullptr, "UVictoryCore.ServerOctreeOverlapActors", &result,
        ArkApi::GetApiUtils().GetWorld(), centre, radius, group, true);
    return result;
  }
};

// The overlap query against a distance check of every creature, on random worlds with
// creatures moved and destroyed.
TEST_F(WorldQueriesTest, OverlapQueryAgreesWithBruteForce) {
  auto& world = game;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> place(-400000.f, 400000.f);
    std::uniform_real_distribution<float> height(-2000.f, 2000.f);
    std::vector<game::APrimalDinoCharacter*> dinos;
    for (int i = 0; i < 3000; ++i) {
      dinos.push_back(
          world.SpawnDino({"", "Dodo", 1, 0, {place(random), place(random), height(random)}}));
    }
    for (int i = 0; i < 300; ++i) world.Move(dinos[i], {place(random), place(random), 0});
    for (int i = 300; i < 600; ++i) world.DestroyDino(dinos[i]);
    const auto live = world.Dinos();

    std::uniform_real_distribution<float> radius(0.f, 300000.f);
    for (int q = 0; q < 60; ++q) {
      const FVector centre{place(random), place(random), height(random)};
      const float r = q % 10 == 0 ? 10240000.f : radius(random);
      std::vector<AActor*> expected;
      for (auto* dino : live) {
        const FVector at = dino->Location();
        const double dx = double(at.X) - centre.X, dy = double(at.Y) - centre.Y,
                     dz = double(at.Z) - centre.Z;
        if (dx * dx + dy * dy + dz * dz <= double(r) * r)
          expected.push_back(reinterpret_cast<AActor*>(dino));
      }
      const auto result = Overlap(centre, r);
      ASSERT_EQ(Listed(result), expected) << "seed " << seed << " query " << q << " radius " << r;
    }
    // The next world reuses this one's memory.
    for (auto* dino : world.Dinos()) world.DestroyDino(dino);
  }
}

// The flag picks the view point: the eyes without the character's transforms, the camera above
// them with.
TEST_F(WorldQueriesTest, PawnViewLocationHonoursAllTransforms) {
  auto& alice = AddPlayer("alice", 1, {10, 20, 30});
  const auto view = [&](bool allTransforms) {
    FVector at;
    NativeCall<FVector*, FVector*, bool>(alice.character, "AShooterCharacter.GetPawnViewLocation",
                                         &at, allTransforms);
    return std::vector<float>{at.X, at.Y, at.Z};
  };
  EXPECT_EQ(view(false), (std::vector<float>{10, 20, 94}));
  EXPECT_EQ(view(true), (std::vector<float>{10, 20, 124}));
}

TEST_F(WorldQueriesTest, OverlapQueryGroupsAndSpawnOrder) {
  auto& alice = AddPlayer("alice", 1, {10, 0, 0});
  auto* rex = game.SpawnDino({"rex", "Rex", 1, 0, {20, 0, 0}});
  auto& bob = AddPlayer("bob", 2, {30, 0, 0});
  auto* raptor = game.SpawnDino({"raptor", "Raptor", 1, 0, {0, 0, 0}});
  const auto actors = [](std::initializer_list<const void*> list) {
    std::vector<AActor*> out;
    for (const void* a : list) out.push_back(static_cast<AActor*>(const_cast<void*>(a)));
    return out;
  };
  const auto run = [&](int32 group) {
    const auto result = Overlap({0, 0, 0}, 1000.f, group);
    return Listed(result);
  };
  EXPECT_EQ(run(2), actors({rex, raptor}));
  EXPECT_EQ(run(1), actors({alice.character, bob.character}));
  EXPECT_EQ(run(3), actors({alice.character, rex, bob.character, raptor}));
  EXPECT_TRUE(run(7).empty());
  EXPECT_EQ(game.TakeOverlapQueries(), (std::vector<float>{1000.f, 1000.f, 1000.f, 1000.f}));
}

// Stats report the count of queries since the last take and the last radii, however long the run
// without a take: the log does not grow with it.
TEST_F(WorldQueriesTest, OverlapLogCountsEveryQueryAndKeepsTheLastRadii) {
  for (const int count : {0, 1, 63, 64, 65, 1000}) {
    for (int i = 1; i <= count; ++i) Overlap({}, static_cast<float>(i));
    std::vector<float> last;
    for (int i = std::max(1, count - 63); i <= count; ++i) last.push_back(static_cast<float>(i));
    EXPECT_EQ(game.OverlapQueriesMade(), static_cast<uint64>(count));
    EXPECT_EQ(game.TakeOverlapQueries(), last) << count;
    EXPECT_EQ(game.OverlapQueriesMade(), 0u);
  }
}

// Each group against a distance check of the world's characters in spawn order, with players
// joining between creatures and some given new bodies, which spawn after every creature.
TEST_F(WorldQueriesTest, OverlapGroupsAgreeWithBruteForce) {
  std::mt19937 random(5);
  std::uniform_real_distribution<float> place(-200000.f, 200000.f);
  const auto somewhere = [&] { return FVector{place(random), place(random), 0.f}; };
  std::vector<game::Player*> players;
  for (int i = 0; i < 2000; ++i) {
    if (i % 100 == 0) {
      players.push_back(&AddPlayer("p" + std::to_string(i), 1000 + i, somewhere()));
    }
    game.SpawnDino({"", "Dodo", 1, 0, somewhere()});
  }
  for (std::size_t i = 0; i < players.size(); i += 3) {
    game.DestroyCharacter(*players[i]);
    game.Reconnect(*players[i], false);
    game.Move(players[i]->character, somewhere());
  }

  TArray<game::AActor*> characters;
  game.AllActorsOfClass(game::APrimalCharacter::StaticClass(), characters);
  const auto inGroup = [](const game::AActor& actor, int32 group) {
    const bool dino = actor.IsA(game::APrimalDinoCharacter::StaticClass());
    return group == 3 || (group == 2) == dino;
  };
  for (int q = 0; q < 30; ++q) {
    const FVector centre = somewhere();
    for (const float radius : {10240000.f, 300000.f, 50000.f}) {
      for (const int32 group : {1, 2, 3}) {
        std::vector<AActor*> expected;
        for (game::AActor* actor : characters) {
          const FVector at = actor->Location();
          const double dx = double(at.X) - centre.X, dy = double(at.Y) - centre.Y,
                       dz = double(at.Z) - centre.Z;
          if (inGroup(*actor, group) && dx * dx + dy * dy + dz * dz <= double(radius) * radius)
            expected.push_back(reinterpret_cast<AActor*>(actor));
        }
        const auto result = Overlap(centre, radius, group);
        ASSERT_EQ(Listed(result), expected)
            << "query " << q << " radius " << radius << " group " << group;
      }
    }
  }
}

// Creatures are listed from their own index: the same creatures, in the same spawn order, as
// the walk over every actor finds, also after creatures died and others took their memory.
TEST_F(WorldQueriesTest, CreaturesOfClassComeInSpawnOrderAfterChurn) {
  std::vector<game::APrimalDinoCharacter*> dinos;
  for (int i = 0; i < 300; ++i) {
    dinos.push_back(game.SpawnDino({"", "Dodo", 1, 0, {float(i), 0.f, 0.f}}));
    if (i % 50 == 0) AddPlayer("p" + std::to_string(i), 1000 + i);
  }
  for (std::size_t i = 0; i < dinos.size(); i += 2) game.DestroyDino(dinos[i]);
  for (int i = 0; i < 100; ++i) game.SpawnDino({"", "Raptor", 1, 0, {}});

  TArray<game::AActor*> everything, creatures;
  game.AllActorsOfClass(game::AActor::StaticClass(), everything);
  game.AllActorsOfClass(game::APrimalDinoCharacter::StaticClass(), creatures);
  std::vector<game::AActor*> expected;
  for (game::AActor* actor : everything) {
    if (actor->IsA(game::APrimalDinoCharacter::StaticClass())) expected.push_back(actor);
  }
  EXPECT_EQ(expected.size(), 250u);
  EXPECT_EQ(Listed(creatures), expected);
}

TEST_F(WorldQueriesTest, AllActorsOfClassHonoursTheHierarchy) {
  auto& alice = AddPlayer("alice", 1);
  auto* rex = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  // Called with the types a plugin calls them with: sdk handles.
  const auto handle = [](const game::UClass* actorClass) {
    return reinterpret_cast<UClass*>(const_cast<game::UClass*>(actorClass));
  };
  const auto ofClass = [&](const game::UClass* actorClass) {
    TArray<AActor*> out;
    NativeCall<void, UObject*, UClass*, TArray<AActor*>*>(
        nullptr, "UGameplayStatics.GetAllActorsOfClass", nullptr, handle(actorClass), &out);
    return Listed(out);
  };
  const auto* dinoClass = reinterpret_cast<const game::UClass*>(
      NativeCall<UClass*>(nullptr, "APrimalDinoCharacter.GetPrivateStaticClass"));
  EXPECT_EQ(ofClass(dinoClass), std::vector<AActor*>{reinterpret_cast<AActor*>(rex)});
  EXPECT_EQ(ofClass(game::AShooterCharacter::StaticClass()),
            std::vector<AActor*>{reinterpret_cast<AActor*>(alice.character)});
  // Both characters are primal characters, in spawn order.
  EXPECT_EQ(ofClass(game::APrimalCharacter::StaticClass()),
            (std::vector<AActor*>{reinterpret_cast<AActor*>(alice.character),
                                  reinterpret_cast<AActor*>(rex)}));

  const auto isA = [&](void* object, const game::UClass* c) {
    return NativeCall<bool, UClass*>(object, "UObjectBaseUtility.IsA", handle(c));
  };
  EXPECT_TRUE(isA(rex, dinoClass));
  EXPECT_TRUE(isA(rex, game::AActor::StaticClass()));
  EXPECT_FALSE(isA(alice.character, dinoClass));
  EXPECT_FALSE(isA(alice.controller, game::APrimalCharacter::StaticClass()));
}

TEST_F(WorldQueriesTest, ControllersByPlayerIdFollowConnections) {
  auto& alice = AddPlayer("alice", 11);
  auto& utils = ArkApi::GetApiUtils();
  const auto find = [&](uint64 id) {
    return reinterpret_cast<void*>(utils.FindPlayerFromSteamId(id));
  };
  EXPECT_EQ(find(11), alice.controller);
  EXPECT_EQ(find(12), nullptr);

  game.Disconnect(alice);
  EXPECT_EQ(find(11), nullptr);
  EXPECT_FALSE(alice.character->IsConnected());

  game.Reconnect(alice, false);
  EXPECT_EQ(find(11), alice.controller);
  auto* old = alice.controller;
  game.Reconnect(alice, true);
  EXPECT_NE(alice.controller, old);
  EXPECT_EQ(find(11), alice.controller) << "the newest controller answers";
  EXPECT_EQ(LiveControllers(game), 2);
}

// A logged-out controller leaves the list, which otherwise gains an entry per reconnection; the
// others keep their order.
TEST_F(WorldQueriesTest, ControllerListHoldsOnlyLiveControllersInOrder) {
  auto& alice = AddPlayer("alice", 1);
  auto& bob = AddPlayer("bob", 2);
  auto& carol = AddPlayer("carol", 3);
  const auto listed = [&] {
    std::vector<game::UObject*> controllers;
    for (const auto& weak : game.GameWorld()->PlayerControllerList) {
      controllers.push_back(game.Objects().Resolve(weak));
    }
    return controllers;
  };
  for (int i = 0; i < 1000; ++i) {
    game.Disconnect(bob);
    game.Reconnect(bob, false);
  }
  EXPECT_EQ(listed(),
            (std::vector<game::UObject*>{alice.controller, carol.controller, bob.controller}));

  auto* aliceFirst = alice.controller;
  game.Reconnect(alice, true);
  game.Reconnect(carol, false);
  EXPECT_EQ(listed(), (std::vector<game::UObject*>{aliceFirst, bob.controller, alice.controller,
                                                   carol.controller}));
  game.Disconnect(alice);
  EXPECT_EQ(listed(), (std::vector<game::UObject*>{aliceFirst, bob.controller, carol.controller}));
  EXPECT_EQ(LiveControllers(game), 3);
}

// Histories around player id 7, each giving the controller the framework's lookup answers for
// it: the one that last possessed a character, until any controller of the id logs out.
struct ControllerLookupCase {
  const char* name;
  game::AShooterPlayerController* (*history)(game::Game& game);
};

game::Player& Join(game::Game& game, const char* name, uint64 steamId) {
  game::PlayerSpec setup;
  setup.name = name;
  setup.steamId = steamId;
  setup.dataId = static_cast<int32>(game.Players().size()) + 1;
  return game.AddPlayer(setup);
}

TEST(ControllerLookupTest, AnswersAsTheFrameworksLookupDoes) {
  const ControllerLookupCase cases[] = {
      {"the player's controller", [](game::Game& game) { return Join(game, "a", 7).controller; }},
      {"none for another id",
       [](game::Game& game) -> game::AShooterPlayerController* {
         Join(game, "b", 8);
         return nullptr;
       }},
      {"none once he disconnected",
       [](game::Game& game) -> game::AShooterPlayerController* {
         game.Disconnect(Join(game, "a", 7));
         return nullptr;
       }},
      {"the newer of two kept controllers",
       [](game::Game& game) {
         auto& a = Join(game, "a", 7);
         game.Reconnect(a, true);
         return a.controller;
       }},
      {"none once the stale controller logs out after he reconnected",
       [](game::Game& game) -> game::AShooterPlayerController* {
         auto& a = Join(game, "a", 7);
         game.Reconnect(a, true);
         EXPECT_TRUE(game.DisconnectKept(a));
         EXPECT_NE(a.controller, nullptr) << "he is still online";
         return nullptr;
       }},
      {"the new controller again once it possesses his character",
       [](game::Game& game) {
         auto& a = Join(game, "a", 7);
         game.Reconnect(a, true);
         game.DisconnectKept(a);
         game.SetCharacterPossessed(a, false);
         game.SetCharacterPossessed(a, true);
         return a.controller;
       }},
      {"none for the older kept controller once the newer is gone",
       [](game::Game& game) -> game::AShooterPlayerController* {
         auto& a = Join(game, "a", 7);
         game.Reconnect(a, true);
         game.Disconnect(a);
         return nullptr;
       }},
      {"the later of two players sharing the id",
       [](game::Game& game) {
         Join(game, "a", 7);
         return Join(game, "b", 7).controller;
       }},
      {"the earlier player again after he reconnects",
       [](game::Game& game) {
         auto& a = Join(game, "a", 7);
         Join(game, "b", 7);
         game.Reconnect(a, false);
         return a.controller;
       }},
      {"none when his controller's memory went to another id",
       [](game::Game& game) -> game::AShooterPlayerController* {
         auto& a = Join(game, "a", 7);
         auto& b = Join(game, "b", 8);
         auto* gone = a.controller;
         game.Disconnect(a);
         game.Reconnect(b, true);
         EXPECT_EQ(b.controller, gone) << "the case needs the memory reused";
         return nullptr;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    game::Game game;
    auto* expected = c.history(game);
    EXPECT_EQ(reinterpret_cast<void*>(ArkApi::GetApiUtils().FindPlayerFromSteamId(7)),
              static_cast<void*>(expected));
  }
}

// A world of three creatures and a player, each case attaching, moving, detaching or destroying
// some of them, then checking each actor survived by how a plugin reads it (the fields by name),
// how the game answers (its location, distances and label positions) and where the spatial
// indices hold it.
class AttachmentWorld {
 public:
  AttachmentWorld() {
    for (const auto& [name, at] :
         {std::pair{"a", FVector(1000, 0, 0)}, {"b", {0, 2000, 0}}, {"c", {0, 0, 50}}}) {
      game.SpawnDino({name, "Dodo", 1, 0, at});
    }
    game::PlayerSpec setup;
    setup.name = "p";
    setup.steamId = setup.dataId = 1;
    setup.at = {5, 5, 5};
    game.AddPlayer(setup);
  }

  game::AActor* operator()(std::string_view name) {
    if (auto* dino = game.FindDino(name)) return dino;
    return game.FindPlayer(name)->character;
  }
  void Attach(const char* child, const char* parent, const FVector& offset) {
    game.Attach((*this)(child), (*this)(parent), offset);
  }
  void Move(const char* name, const FVector& to) { game.Move((*this)(name), to); }

  game::Game game;
};

std::vector<float> Xyz(const FVector& v) { return {v.X, v.Y, v.Z}; }

// The first three floats of the world transform's translation, as a plugin takes them.
std::vector<float> WorldTranslation(const void* component) {
  const auto& toWorld =
      *GetNativePointerField<FTransform*>(component, "USceneComponent.ComponentToWorld");
  float xyz[3];
  std::memcpy(xyz, &toWorld.Translation, sizeof xyz);
  return {xyz[0], xyz[1], xyz[2]};
}

struct Placed {
  const char* actor;
  FVector world;
  FVector relative;
  const char* parent;  // "" for none
};

void ExpectPlaced(AttachmentWorld& world, const Placed& placed) {
  SCOPED_TRACE(placed.actor);
  game::AActor* actor = world(placed.actor);
  auto* root = actor->RootComponent;
  EXPECT_EQ(Xyz(actor->Location()), Xyz(placed.world));
  EXPECT_EQ(WorldTranslation(root), Xyz(placed.world));
  EXPECT_EQ(Xyz(GetNativeField<FVector>(root, "USceneComponent.RelativeLocation")),
            Xyz(placed.relative));
  const std::string_view parent = placed.parent;
  EXPECT_EQ(GetNativeField<void*>(root, "USceneComponent.AttachParent"),
            parent.empty() ? nullptr : world(parent)->RootComponent);

  FVector top;
  NativeCall<FVector*, FVector*>(actor, "APrimalCharacter.GetCapsuleTopLocation", &top);
  EXPECT_EQ(top.X, placed.world.X);
  EXPECT_EQ(top.Y, placed.world.Y);
  const float distance = NativeCall<float, AActor*>(
      actor, "AActor.GetDistanceTo", reinterpret_cast<AActor*>(world.game.FindDino("a")));
  const FVector a = world("a")->Location();
  EXPECT_FLOAT_EQ(distance,
                  std::hypot(placed.world.X - a.X, placed.world.Y - a.Y, placed.world.Z - a.Z));

  const int32 group = actor->IsA(game::APrimalDinoCharacter::StaticClass()) ? 2 : 1;
  TArray<game::AActor*> found;
  world.game.OverlapActors(placed.world, 1.f, group, found);
  EXPECT_EQ(Listed(found), std::vector<game::AActor*>{actor}) << "the index holds it there";
}

TEST(AttachmentTest, AttachedActorsGoWithTheirParents) {
  const struct {
    const char* name;
    std::function<void(AttachmentWorld&)> steps;
    std::vector<Placed> expected;
  } cases[] = {
      {"at the parent plus the offset",
       [](AttachmentWorld& w) {
         w.Attach("p", "a", {0, 0, 300});
       },
       {{"p", {1000, 0, 300}, {0, 0, 300}, "a"}, {"a", {1000, 0, 0}, {1000, 0, 0}, ""}}},
      {"following a move two levels down",
       [](AttachmentWorld& w) {
         w.Attach("b", "a", {0, 0, 300});
         w.Attach("p", "b", {10, 0, 0});
         w.Move("a", {-5000, 7000, 20});
       },
       {{"a", {-5000, 7000, 20}, {-5000, 7000, 20}, ""},
        {"b", {-5000, 7000, 320}, {0, 0, 300}, "a"},
        {"p", {-4990, 7000, 320}, {10, 0, 0}, "b"}}},
      {"moved while attached: still attached, at the offset that puts it there",
       [](AttachmentWorld& w) {
         w.Attach("b", "a", {0, 0, 300});
         w.Attach("p", "b", {10, 0, 0});
         w.Move("b", {1500, 0, 0});
         w.Move("a", {2000, 0, 0});
       },
       {{"b", {2500, 0, 0}, {500, 0, 0}, "a"}, {"p", {2510, 0, 0}, {10, 0, 0}, "b"}}},
      {"detached where it is, its own riders with it",
       [](AttachmentWorld& w) {
         w.Attach("b", "a", {0, 0, 300});
         w.Attach("p", "b", {10, 0, 0});
         w.game.Detach(w("b"));
         w.Move("a", {9000, 0, 0});
       },
       {{"b", {1000, 0, 300}, {1000, 0, 300}, ""}, {"p", {1010, 0, 300}, {10, 0, 0}, "b"}}},
      {"attached anew: the first parent no longer carries it",
       [](AttachmentWorld& w) {
         w.Attach("b", "a", {0, 0, 300});
         w.Attach("b", "c", {1, 2, 3});
         w.Move("a", {9000, 0, 0});
         w.Move("c", {0, 100, 0});
       },
       {{"b", {1, 102, 3}, {1, 2, 3}, "c"}}},
      {"a destroyed parent leaves its children where they are, even once its memory is reused",
       [](AttachmentWorld& w) {
         w.Attach("b", "a", {0, 0, 300});
         w.Attach("c", "a", {0, 0, 600});
         w.Attach("p", "b", {10, 0, 0});
         auto* gone = w("a")->RootComponent;
         w.game.DestroyDino(w.game.FindDino("a"));
         auto* reused = w.game.SpawnDino({"a", "Dodo", 1, 0, {-40, 0, 0}});
         EXPECT_EQ(reused->RootComponent, gone) << "the case needs the memory reused";
         w.Move("a", {8000, 0, 0});
         w.Move("b", {1000, 50, 300});
       },
       {{"a", {8000, 0, 0}, {8000, 0, 0}, ""},
        {"b", {1000, 50, 300}, {1000, 50, 300}, ""},
        {"c", {1000, 0, 600}, {1000, 0, 600}, ""},
        {"p", {1010, 50, 300}, {10, 0, 0}, "b"}}},
      {"a destroyed child leaves its parent, and what takes its memory is not carried",
       [](AttachmentWorld& w) {
         w.Attach("b", "a", {0, 0, 300});
         auto* gone = w("b")->RootComponent;
         w.game.DestroyDino(w.game.FindDino("b"));
         auto* reused = w.game.SpawnDino({"b", "Dodo", 1, 0, {0, 0, 0}});
         EXPECT_EQ(reused->RootComponent, gone) << "the case needs the memory reused";
         w.Move("a", {3000, 0, 0});
       },
       {{"a", {3000, 0, 0}, {3000, 0, 0}, ""}, {"b", {0, 0, 0}, {0, 0, 0}, ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AttachmentWorld world;
    c.steps(world);
    for (const auto& placed : c.expected) ExpectPlaced(world, placed);
  }
}

// What would make an actor carry itself is refused, and changes nothing.
TEST(AttachmentTest, RefusesWhatWouldCarryItself) {
  const struct {
    const char* name;
    std::function<void(AttachmentWorld&)> refused;
    const char* message;
  } cases[] = {
      {"itself", [](AttachmentWorld& w) { w.Attach("a", "a", {}); },
       "a cannot be attached to itself"},
      {"its rider",
       [](AttachmentWorld& w) {
         w.Attach("a", "b", {7, 7, 7});
       },
       "can't attach a to b: b is attached to a"},
      {"its rider's rider",
       [](AttachmentWorld& w) {
         w.Attach("a", "p", {7, 7, 7});
       },
       "can't attach a to p: p is attached to a"},
      {"nothing to detach from", [](AttachmentWorld& w) { w.game.Detach(w("a")); },
       "a is not attached to anything"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AttachmentWorld world;
    world.Attach("b", "a", {0, 0, 300});
    world.Attach("p", "b", {10, 0, 0});
    try {
      c.refused(world);
      ADD_FAILURE() << "not refused";
    } catch (const std::invalid_argument& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
    world.Move("a", {0, 0, 0});
    for (const Placed& placed :
         {Placed{"a", {0, 0, 0}, {0, 0, 0}, ""}, Placed{"b", {0, 0, 300}, {0, 0, 300}, "a"},
          Placed{"p", {10, 0, 300}, {10, 0, 0}, "b"}}) {
      ExpectPlaced(world, placed);
    }
  }
}

TEST_F(WorldQueriesTest, GameModeMapsDataIdsAndRecordsPairs) {
  game::PlayerSpec setup;
  setup.name = "alice";
  setup.steamId = 99;
  setup.dataId = 5;
  setup.unmapped = true;
  game.AddPlayer(setup);
  auto* mode = ArkApi::GetApiUtils().GetShooterGameMode();
  const auto steamOf = [&](int32 data) {
    return NativeCall<uint64, int32>(mode, "AShooterGameMode.GetSteamIDForPlayerID", data);
  };
  EXPECT_EQ(steamOf(5), 0u);
  NativeCall<void, int32, uint64>(mode, "AShooterGameMode.AddPlayerID", 5, 99);
  EXPECT_EQ(steamOf(5), 99u);
}

TEST_F(WorldQueriesTest, HostTextsGiveBackEveryBlock) {
  const auto before = game::LiveBlocks();
  {
    FString text(u"Rex");
    FString copy = text;
    TArray<AActor*> array;
    for (int i = 0; i < 100; ++i) array.Add(nullptr);
    EXPECT_GT(game::LiveBlocks(), before);
  }
  EXPECT_EQ(game::LiveBlocks(), before);
}

}  // namespace
