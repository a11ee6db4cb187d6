// The names a plugin reaches the game by: all of them resolve, to the right places.

#include <type_traits>

#include "ArkApi/Resolver.h"
#include "ArkApi/WeakObjectPtr.h"
#include "framework/Names.h"
#include "support/GameFixture.h"

namespace {

using testing_support::GameFixture;

class NamesTest : public GameFixture {};

const char* const kFunctions[] = {
    "FMemory.Malloc",
    "FMemory.Realloc",
    "FMemory.Free",
    "UObjectBaseUtility.IsA",
    "APrimalDinoCharacter.GetPrivateStaticClass",
    "UGameplayStatics.GetAllActorsOfClass",
    "UWorld.GetWorldSettings",
    "UVictoryCore.ServerOctreeOverlapActors",
    "AActor.GetDistanceTo",
    "AActor.MulticastDrawDebugString",
    "APrimalCharacter.IsDead",
    "APrimalCharacter.GetCapsuleTopLocation",
    "APrimalDinoCharacter.GetDinoDescriptiveName",
    "UPrimalCharacterStatusComponent.GetCharacterLevel",
    "AShooterCharacter.GetPawnViewLocation",
    "AShooterPlayerController.GetPlayerCharacter",
    "AShooterPlayerController.GetUniqueNetIdAsUINT64",
    "AShooterPlayerController.GetPlayerCharacterName",
    "AShooterPlayerController.ClientChatMessage",
    "AShooterPlayerController.ClientServerChatDirectMessage",
    "AShooterPlayerController.ClientServerNotificationSingle",
    "AShooterPlayerController.ClientServerSOTFNotificationCustom",
    "AShooterPlayerController.ClientAddFloatingText",
    "AShooterGameMode.GetSteamIDForPlayerID",
    "AShooterGameMode.AddPlayerID",
    "FWeakObjectPtr.Get",
    "FWeakObjectPtr.operator=",
};

TEST_F(NamesTest, EveryFunctionResolves) {
  for (const char* name : kFunctions) EXPECT_NE(GetAddress(GameName(name)), nullptr) << name;
  EXPECT_TRUE(EventsOf("log").empty());
}

// Each field name against the member it must reach, on live objects.
TEST_F(NamesTest, FieldsReachTheirMembers) {
  auto& player = AddPlayer("alice", 7);
  auto* dino = game.SpawnDino({"rex", "Rex", 150, 0, {1, 2, 3}});
  auto* controller = player.controller;
  auto* state = static_cast<game::AShooterPlayerState*>(controller->PlayerState);
  auto& settings = game.WorldSettings();
  auto* world = game.GameWorld();

  const struct {
    const void* object;
    const char* name;
    const void* member;
  } cases[] = {
      {dino, "AActor.RootComponent", &dino->RootComponent},
      {dino, "AActor.TargetingTeam", &dino->TargetingTeam},
      {controller, "AActor.TargetingTeam", &controller->TargetingTeam},
      {dino->RootComponent, "USceneComponent.RelativeLocation",
       &dino->RootComponent->RelativeLocation},
      {dino, "APrimalCharacter.DescriptiveName", &dino->DescriptiveName},
      {dino, "APrimalCharacter.MyCharacterStatusComponent", &dino->MyCharacterStatusComponent},
      {&settings, "APrimalWorldSettings.LatitudeOrigin", &settings.LatitudeOrigin},
      {&settings, "APrimalWorldSettings.LatitudeScale", &settings.LatitudeScale},
      {&settings, "APrimalWorldSettings.LongitudeOrigin", &settings.LongitudeOrigin},
      {&settings, "APrimalWorldSettings.LongitudeScale", &settings.LongitudeScale},
      {controller, "AController.PlayerState", &controller->PlayerState},
      {state, "AShooterPlayerState.MyTribeData", &state->MyTribeData},
      {&state->MyTribeData, "FTribeData.MembersPlayerDataID",
       &state->MyTribeData.MembersPlayerDataID},
      {controller, "AShooterPlayerController.LinkedPlayerID", &controller->LinkedPlayerID},
      {world, "UWorld.PlayerControllerList", &world->PlayerControllerList},
  };
  for (const auto& c : cases) EXPECT_EQ(GetAddress(c.object, GameName(c.name)), c.member) << c.name;
}

// A field read by value is the plugin's own copy; the pointer form reaches the object itself.
TEST_F(NamesTest, FieldsReadAsCopiesOrReachedByPointer) {
  auto* dino = game.SpawnDino({"rex", "Rex", 150, 3, {1, 2, 3}});
  static_assert(
      std::is_same_v<decltype(GetNativeField<int32>(dino, "AActor.TargetingTeam")), int32>);
  EXPECT_EQ(GetNativeField<int32>(dino, "AActor.TargetingTeam"), 3);
  *GetNativePointerField<int32*>(dino, "AActor.TargetingTeam") = 9;
  EXPECT_EQ(dino->TargetingTeam, 9);
  EXPECT_EQ(GetNativePointerField<FString*>(dino, "APrimalCharacter.DescriptiveName"),
            &dino->DescriptiveName);
}

// Functions that give back a text or a position build it in the storage they are given and
// return that pointer, as the game's do (the storage holds no text before: nothing is freed).
TEST_F(NamesTest, ResultFunctionsWriteThroughTheirPointer) {
  auto& player = AddPlayer("alice", 7, {10, 20, 30});
  auto* dino = game.SpawnDino({"rex", "Rex Alpha", 150, 0, {1, 2, 3}});

  FString dinoName;
  EXPECT_EQ((NativeCall<FString*, FString*>(dino, "APrimalDinoCharacter.GetDinoDescriptiveName",
                                            &dinoName)),
            &dinoName);
  EXPECT_EQ(dinoName.ToString(), "Rex Alpha");
  FString playerName;
  EXPECT_EQ((NativeCall<FString*, FString*>(
                player.controller, "AShooterPlayerController.GetPlayerCharacterName", &playerName)),
            &playerName);
  EXPECT_EQ(playerName.ToString(), "alice");

  FVector top{-1, -1, -1};
  EXPECT_EQ((NativeCall<FVector*, FVector*>(dino, "APrimalCharacter.GetCapsuleTopLocation", &top)),
            &top);
  EXPECT_EQ(top.X, 1);
  EXPECT_EQ(top.Y, 2);
  EXPECT_EQ(top.Z, 3 + dino->CapsuleHalfHeight);
}

TEST_F(NamesTest, UnknownNamesAnswerNoneAndAreLoggedOnce) {
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  EXPECT_EQ(GetAddress("AActor.NoSuchFunction"), nullptr);
  EXPECT_EQ(GetAddress("AActor.NoSuchFunction"), nullptr);
  EXPECT_EQ(GetAddress(dino, "AActor.NoSuchField"), nullptr);
  EXPECT_EQ(GetBitField(dino, "AActor.bNoSuchBit").word, nullptr);
  EXPECT_FALSE(GetBitField(dino, "AActor.bNoSuchBit").IsSet());
  // A known field of no object is none as well, and not an unknown name.
  EXPECT_EQ(GetAddress(nullptr, "AActor.TargetingTeam"), nullptr);

  const auto logs = EventsOf("log");
  ASSERT_EQ(logs.size(), 3u);
  EXPECT_EQ(logs[0]["logger"], "ArkApi");
  EXPECT_EQ(logs[0]["text"], "Unknown function name: AActor.NoSuchFunction");
  EXPECT_EQ(logs[1]["text"], "Unknown field name: AActor.NoSuchField");
  EXPECT_EQ(logs[2]["text"], "Unknown bit field name: AActor.bNoSuchBit");
}

// Each flag reads its own bit, whatever the neighbouring flags in the same word say.
TEST_F(NamesTest, BitFieldsReadTheirOwnBit) {
  auto& player = AddPlayer("alice", 7);
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  auto* character = player.character;
  auto* controller = player.controller;
  using game::APrimalCharacter;

  const struct {
    const char* name;
    const void* object;
    std::function<void(bool)> set;
  } cases[] = {
      {"APrimalCharacter.bIsDead", dino,
       [&](bool on) { dino->SetFlag(APrimalCharacter::kIsDeadBit, on); }},
      {"APrimalCharacter.bIsSleeping", dino,
       [&](bool on) { dino->SetFlag(APrimalCharacter::kIsSleepingBit, on); }},
      {"APrimalDinoCharacter.bIsDestroyingDino", dino, [&](bool on) { dino->SetDestroying(on); }},
      {"AShooterCharacter.bIsConnected", character, [&](bool on) { character->SetConnected(on); }},
      {"AShooterPlayerController.bIsRespawning", controller,
       [&](bool on) { controller->SetRespawning(on); }},
  };
  for (const auto& c : cases) {
    for (const auto& other : cases) other.set(true);
    c.set(false);
    EXPECT_FALSE(GetNativeBitField(c.object, GameName(c.name)))
        << c.name << " with every other flag set";
    for (const auto& other : cases) other.set(false);
    c.set(true);
    EXPECT_TRUE(GetNativeBitField(c.object, GameName(c.name))) << c.name << " alone";
    c.set(false);
  }
}

// Names that share all but their last byte, or their length, or are shorter than a word, each
// reach their own function, whether the name was hashed by the compiler or at run time.
TEST_F(NamesTest, NearlyEqualNamesResolveApart) {
  static int targets[6];
  const struct {
    const char* name;
    void* target;
  } cases[] = {
      {"T.a", &targets[0]},
      {"T.b", &targets[1]},
      {"Test.FunctionNamedAlike1", &targets[2]},
      {"Test.FunctionNamedAlike2", &targets[3]},
      {"Test.FunctionNamedAlike12", &targets[4]},
      {"Test.FunctionNamedAlik", &targets[5]},
  };
  for (const auto& c : cases) framework::RegisterFunction(c.name, c.target);
  for (const auto& c : cases) {
    EXPECT_EQ(GetAddress(GameName(std::string_view(c.name))), c.target) << c.name;
  }
  EXPECT_EQ(GetAddress("Test.FunctionNamedAlike2"), &targets[3]);
  EXPECT_EQ(GetAddress("T.a"), &targets[0]);
  EXPECT_EQ(GetAddress("Test.FunctionNamedAlike3"), nullptr);
  EXPECT_EQ(GetAddress("Test.FunctionNamedAli"), nullptr);
}

TEST_F(NamesTest, EveryLookupIsCounted) {
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  const auto before = framework::ResolutionCount();
  GetAddress("APrimalCharacter.IsDead");
  GetAddress(dino, "AActor.TargetingTeam");
  GetBitField(dino, "APrimalCharacter.bIsDead");
  GetAddress("AActor.NoSuchFunction");
  EXPECT_EQ(framework::ResolutionCount() - before, 4u);
}

TEST_F(NamesTest, WeakReferenceToDestroyedObjectStaysNoneAfterReuse) {
  auto* rex = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  auto weak = GetWeakReference(reinterpret_cast<AActor*>(rex));
  EXPECT_EQ(weak.Get(), reinterpret_cast<AActor*>(rex));

  game.DestroyDino(rex);
  EXPECT_EQ(weak.Get(), nullptr);

  auto* newcomer = game.SpawnDino({"raptor", "Raptor", 1, 0, {}});
  ASSERT_EQ(static_cast<void*>(newcomer), static_cast<void*>(rex)) << "memory should be reused";
  EXPECT_EQ(weak.Get(), nullptr);
  auto fresh = GetWeakReference(reinterpret_cast<AActor*>(newcomer));
  EXPECT_EQ(fresh.Get(), reinterpret_cast<AActor*>(newcomer));
}

TEST_F(NamesTest, WeakReferenceOfNoObjectIsNone) {
  auto none = GetWeakReference(static_cast<AActor*>(nullptr));
  EXPECT_EQ(none.Get(), nullptr);
  EXPECT_EQ(TWeakObjectPtr<AActor>().Get(), nullptr);
}

}  // namespace
