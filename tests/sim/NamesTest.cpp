// The names a plugin reaches the game by: all of them resolve, to the right places, whichever
// resolver prices them.

#include <API/ARK/Ark.h>

#include <functional>
#include <type_traits>

#include "framework/Names.h"
#include "support/GameFixture.h"

namespace {

using testing_support::GameFixture;

class NamesTest : public GameFixture,
                  public testing::WithParamInterface<framework::ResolverProfile> {
 protected:
  NamesTest() { framework::UseResolverProfile(GetParam()); }
  ~NamesTest() override { framework::UseResolverProfile(framework::ResolverProfile::kFast); }
};

INSTANTIATE_TEST_SUITE_P(Resolvers, NamesTest,
                         testing::Values(framework::ResolverProfile::kFast,
                                         framework::ResolverProfile::kRealCost),
                         [](const auto& profile) {
                           return profile.param == framework::ResolverProfile::kFast ? "Fast"
                                                                                     : "RealCost";
                         });

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
    "FChatMessage.FChatMessage",
    "FChatMessage.operator=",
};

TEST_P(NamesTest, EveryFunctionResolves) {
  for (const char* name : kFunctions) EXPECT_NE(GetAddress(name), nullptr) << name;
  EXPECT_TRUE(EventsOf("log").empty());
}

// Each field name against the member it must reach, on live objects.
TEST_P(NamesTest, FieldsReachTheirMembers) {
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
      {dino->RootComponent, "USceneComponent.ComponentToWorld",
       &dino->RootComponent->ComponentToWorld},
      {dino->RootComponent, "USceneComponent.AttachParent", &dino->RootComponent->AttachParent},
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
  for (const auto& c : cases) {
    EXPECT_EQ(GetAddress(c.object, c.name), reinterpret_cast<DWORD64>(c.member)) << c.name;
  }
}

// A field read by value is the plugin's own copy; the pointer form reaches the object itself.
TEST_P(NamesTest, FieldsReadAsCopiesOrReachedByPointer) {
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
TEST_P(NamesTest, ResultFunctionsWriteThroughTheirPointer) {
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

// As the real resolver: a name the game lacks is answered with offset 0, never refused and never
// logged; functions and fields share one table, so either kind answers for a name of the other.
TEST_P(NamesTest, UnknownNamesAnswerOffsetZeroSilently) {
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  const auto at = reinterpret_cast<DWORD64>(dino);
  const LPVOID startOfCode = GetAddress("AActor.NoSuchFunction");
  EXPECT_NE(startOfCode, nullptr);
  EXPECT_EQ(GetAddress("AActor.NoSuchFunction"), startOfCode);
  EXPECT_NE(GetAddress("APrimalCharacter.IsDead"), startOfCode);
  EXPECT_EQ(GetAddress(dino, "AActor.NoSuchField"), at) << "the object's own first word";
  const BitField flag = GetBitField(dino, "AActor.bNoSuchBit");
  EXPECT_EQ(flag.offset, at);
  EXPECT_EQ(flag.num_bits, 0u);
  EXPECT_EQ(GetDataAddress("UWorld.NoSuchGlobal"), startOfCode);
  // A known member of no object is its offset.
  EXPECT_EQ(GetAddress(nullptr, "AActor.TargetingTeam"),
            reinterpret_cast<DWORD64>(&dino->TargetingTeam) - at);
  EXPECT_NE(GetBitField(static_cast<const void*>(nullptr), "APrimalCharacter.bIsDead").num_bits,
            0u);
  // The empty name is no name either.
  EXPECT_EQ(GetAddress(""), startOfCode);
  EXPECT_EQ(GetAddress(dino, ""), at);
  // One table for both kinds; flags keep their own.
  EXPECT_NE(GetAddress(nullptr, "APrimalCharacter.IsDead"), 0u);
  EXPECT_NE(GetAddress("AActor.TargetingTeam"), startOfCode);
  EXPECT_EQ(GetBitField(static_cast<const void*>(nullptr), "AActor.TargetingTeam").num_bits, 0u);

  EXPECT_TRUE(EventsOf("log").empty());
}

// Calling a function the game lacks runs the start of the game's code: the server ends.
TEST_P(NamesTest, CallingAnUnknownFunctionCrashesTheServer) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  EXPECT_EXIT(
      {
        framework::ForgetName("APrimalCharacter.IsDead");
        framework::Events().SetListener([](const framework::Event& event) {
          if (event["event"] == "server_crash" && event["kind"] == "game" &&
              event["name"] == "APrimalCharacter.IsDead") {
            std::fputs("the expected crash\n", stderr);
          }
        });
        NativeCall<bool>(dino, "APrimalCharacter.IsDead");
      },
      testing::ExitedWithCode(3), "the expected crash");
}

// A member function of the game called on no object ends the server, as the real game's access
// violation would, naming the function; a static one takes no object by design.
TEST_P(NamesTest, CallingAMemberOnNoObjectCrashesTheServer) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  AShooterPlayerController* const noController = nullptr;
  APrimalCharacter* const noCharacter = nullptr;
  const struct {
    const char* name;
    std::function<void()> call;
  } cases[] = {
      {"AShooterPlayerController.ClientChatMessage",
       [&] {
         NativeCall<void, FChatMessage>(noController, "AShooterPlayerController.ClientChatMessage",
                                        FChatMessage());
       }},
      {"APrimalCharacter.IsDead",
       [&] { NativeCall<bool>(noCharacter, "APrimalCharacter.IsDead"); }},
      // Published with a result pointer.
      {"APrimalCharacter.GetCapsuleTopLocation",
       [&] {
         FVector top;
         NativeCall<FVector*, FVector*>(noCharacter, "APrimalCharacter.GetCapsuleTopLocation",
                                        &top);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXIT(
        {
          framework::Events().SetListener([&c](const framework::Event& event) {
            if (event["event"] == "server_crash" && event["kind"] == "game" &&
                event["name"] == c.name &&
                event["text"].get<std::string>().starts_with("called on a null object")) {
              std::fputs("the expected crash\n", stderr);
            }
          });
          c.call();
        },
        testing::ExitedWithCode(3), "the expected crash");
  }
  EXPECT_NE(NativeCall<UClass*>(nullptr, "APrimalDinoCharacter.GetPrivateStaticClass"), nullptr);
}

// Each flag reads and writes its own bit, whatever the neighbouring flags in the same word say.
TEST_P(NamesTest, BitFieldsReachTheirOwnBit) {
  auto& player = AddPlayer("alice", 7);
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  auto* character = player.character;
  auto* controller = player.controller;
  using game::APrimalCharacter;

  const struct {
    const char* name;
    void* object;
    std::function<void(bool)> set;
    std::function<bool()> get;
  } cases[] = {
      {"APrimalCharacter.bIsDead", dino,
       [&](bool on) { dino->SetFlag(APrimalCharacter::kIsDeadBit, on); },
       [&] { return dino->Flag(APrimalCharacter::kIsDeadBit); }},
      {"APrimalCharacter.bIsSleeping", dino,
       [&](bool on) { dino->SetFlag(APrimalCharacter::kIsSleepingBit, on); },
       [&] { return dino->Flag(APrimalCharacter::kIsSleepingBit); }},
      {"APrimalDinoCharacter.bIsDestroyingDino", dino, [&](bool on) { dino->SetDestroying(on); },
       [&] { return dino->IsDestroying(); }},
      {"AShooterCharacter.bIsConnected", character, [&](bool on) { character->SetConnected(on); },
       [&] { return character->IsConnected(); }},
      {"AShooterPlayerController.bIsRespawning", controller,
       [&](bool on) { controller->SetRespawning(on); }, [&] { return controller->IsRespawning(); }},
  };
  const auto read = [](const auto& c) { return GetNativeBitField<bool, uint32>(c.object, c.name); };
  const auto write = [](const auto& c, bool on) {
    SetNativeBitField<bool, uint32>(c.object, c.name, on);
  };
  for (const auto& c : cases) {
    for (const auto& other : cases) other.set(true);
    c.set(false);
    EXPECT_FALSE(read(c)) << c.name << " with every other flag set";
    write(c, true);
    for (const auto& other : cases) {
      EXPECT_TRUE(other.get()) << c.name << " written, " << other.name;
    }

    for (const auto& other : cases) other.set(false);
    c.set(true);
    EXPECT_TRUE(read(c)) << c.name << " alone";
    write(c, false);
    for (const auto& other : cases) {
      EXPECT_FALSE(other.get()) << c.name << " cleared, " << other.name;
    }
  }
}

// Names that share all but their last byte, or their length, or are shorter than a word, each
// reach their own function.
TEST_P(NamesTest, NearlyEqualNamesResolveApart) {
  static int targets[12];
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
      // Of 5 and 12 bytes, apart in a middle byte only.
      {"T.abc", &targets[6]},
      {"T.adc", &targets[7]},
      {"Test.Middle1", &targets[8]},
      {"Test.Middxe1", &targets[9]},
      // Apart only in a byte outside the first, middle and last eight.
      {"Test.FunctionWhoseNameIsLongEnoughToShare", &targets[10]},
      {"Test.FunctXonWhoseNameIsLongEnoughToShare", &targets[11]},
  };
  for (const auto& c : cases) framework::RegisterFunction(c.name, c.target);
  for (const auto& c : cases) EXPECT_EQ(GetAddress(c.name), c.target) << c.name;
  EXPECT_EQ(GetAddress("Test.FunctionNamedAlike2"), &targets[3]);
  EXPECT_EQ(GetAddress("T.a"), &targets[0]);
  // Not refused: answered as the real resolver answers a name it lacks, the start of the code.
  const LPVOID unknown = GetAddress("Test.NoSuchFunction");
  EXPECT_EQ(GetAddress("Test.FunctionNamedAlike3"), unknown);
  EXPECT_EQ(GetAddress("Test.FunctionNamedAli"), unknown);
  EXPECT_NE(GetAddress("T.a"), unknown);
}

TEST_P(NamesTest, EveryLookupIsCounted) {
  auto* dino = game.SpawnDino({"rex", "Rex", 1, 0, {}});
  const auto before = framework::ResolutionCount();
  GetAddress("APrimalCharacter.IsDead");
  GetAddress(dino, "AActor.TargetingTeam");
  GetBitField(static_cast<const void*>(dino), "APrimalCharacter.bIsDead");
  GetBitField(static_cast<LPVOID>(dino), "APrimalCharacter.bIsDead");
  GetDataAddress("UWorld.NoSuchGlobal");
  GetAddress("AActor.NoSuchFunction");
  EXPECT_EQ(framework::ResolutionCount() - before, 6u);
}

TEST_P(NamesTest, WeakReferenceToDestroyedObjectStaysNoneAfterReuse) {
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

TEST_P(NamesTest, WeakReferenceOfNoObjectIsNone) {
  auto none = GetWeakReference(static_cast<AActor*>(nullptr));
  EXPECT_EQ(none.Get(), nullptr);
  EXPECT_FALSE(none);
  const std::pair<int, int> unknownSlots[] = {{-1, 0}, {1 << 20, 1}, {0, -5}};
  for (const auto& [index, serial] : unknownSlots) {
    EXPECT_EQ(TWeakObjectPtr<AActor>(index, serial).Get(), nullptr) << index << " " << serial;
  }
}

// The record's constructor and assignment from a pointer copy through the game's own functions.
TEST_P(NamesTest, ChatMessagesCopyThroughTheGame) {
  FChatMessage original;
  original.SenderName = "rex";
  original.Message = u"Hello";
  original.SenderId = 42;
  original.ChatType = EChatType::RadioChat;

  FChatMessage copy(&original);
  EXPECT_EQ(copy.SenderName.ToString(), "rex");
  EXPECT_EQ(copy.Message.ToString(), "Hello");
  EXPECT_EQ(copy.SenderId, 42u);
  EXPECT_EQ(copy.ChatType, EChatType::RadioChat);

  FChatMessage assigned;
  EXPECT_EQ(assigned = &original, &assigned);
  EXPECT_EQ(assigned.Message.ToString(), "Hello");
  FChatMessage untouched(static_cast<FChatMessage*>(nullptr));
  EXPECT_TRUE(untouched.Message.IsEmpty());
}

}  // namespace
