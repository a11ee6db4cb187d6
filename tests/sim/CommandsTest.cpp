// The framework's command registry: how chat, console lines and ticks reach plugin handlers.

#include <API/ARK/Ark.h>

#include <stdexcept>

#include "framework/Server.h"
#include "support/GameFixture.h"

namespace {

using testing_support::GameFixture;

using ChatCallback = std::function<void(AShooterPlayerController*, FString*, EChatSendMode::Type)>;
using ConsoleCallback = std::function<void(APlayerController*, FString*, bool)>;
using TickCallback = std::function<void(float)>;

class CommandsTest : public GameFixture {
 protected:
  ~CommandsTest() override {
    for (const auto& name : chat_) commands_.RemoveChatCommand(FString(name));
    for (const auto& name : ticks_) commands_.RemoveOnTickCallback(FString(name));
    for (const auto& name : console_) commands_.RemoveConsoleCommand(FString(name));
  }
  // A handler may take the chat mode as an int32: it converts.
  void AddChat(const std::string& name, ChatCallback callback) {
    commands_.AddChatCommand(FString(name), callback);
    chat_.push_back(name);
  }
  void AddTick(const std::string& name, TickCallback callback) {
    commands_.AddOnTickCallback(FString(name), callback);
    ticks_.push_back(name);
  }
  void AddConsole(const std::string& name, ConsoleCallback callback) {
    commands_.AddConsoleCommand(FString(name), callback);
    console_.push_back(name);
  }

  ArkApi::ICommands& commands_ = ArkApi::GetCommands();
  std::vector<std::string> chat_, ticks_, console_;
};

TEST_F(CommandsTest, ChatGoesToTheCommandNamedByTheFirstWordIgnoringAsciiCase) {
  auto& alice = AddPlayer("alice", 1);
  std::vector<std::string> calls;
  AddChat("/track", [&](AShooterPlayerController* player, FString* line, int32 mode) {
    EXPECT_EQ(reinterpret_cast<void*>(player), alice.controller);
    EXPECT_EQ(mode, EChatSendMode::GlobalChat);
    calls.push_back("track:" + line->ToString());
  });
  AddChat("/Find", [&](AShooterPlayerController*, FString* line, int32) {
    calls.push_back("find:" + line->ToString());
  });
  AddChat("/find",
          [&](AShooterPlayerController*, FString*, int32) { calls.push_back("second find"); });

  const struct {
    const char* line;
    const char* call;  // none: plain chat
  } cases[] = {
      {"/track rex", "track:/track rex"},
      {"/TRACK", "track:/TRACK"},
      {"  /tRaCk  rex  ", "track:  /tRaCk  rex  "},
      {"/trackrex", nullptr},
      {"/track\trex", nullptr},  // only spaces separate words
      {"hello /track", nullptr},
      {"/FIND rex", "find:/FIND rex"},  // the first command of a name wins
      {"/tr\xC3\xa4"
       "ck",
       nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    calls.clear();
    const bool taken = game.Chat(&alice, c.line);
    EXPECT_EQ(taken, c.call != nullptr) << c.line;
    EXPECT_EQ(calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{})
        << c.line;
  }
}

TEST_F(CommandsTest, ChatWithoutControllerStillReachesTheHandler) {
  AShooterPlayerController* seen = reinterpret_cast<AShooterPlayerController*>(1);
  AddChat("/who", [&](AShooterPlayerController* player, FString*, int32) { seen = player; });
  EXPECT_TRUE(game.Chat(nullptr, "/who"));
  EXPECT_EQ(seen, nullptr);
}

TEST_F(CommandsTest, TickCallbacksRunInRegistrationOrderEveryTick) {
  std::vector<std::string> calls;
  for (const char* id : {"B", "A", "C"}) {
    AddTick(id, [&calls, id](float) { calls.push_back(id); });
  }
  game.Tick(2);
  EXPECT_EQ(calls, (std::vector<std::string>{"B", "A", "C", "B", "A", "C"}));
  EXPECT_EQ(framework::Events().Tick(), 2u);
}

// The real framework catches nothing: the exception unwinds into the game and the server ends,
// without unloading anything.
TEST_F(CommandsTest, AnExceptionLeavingAHandlerCrashesTheServer) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto& alice = AddPlayer("alice", 1);
  AddChat("/boom", [](AShooterPlayerController*, FString*, int32) {
    throw std::runtime_error("chat {} failed");
  });
  AddConsole("Boom.Console", [](APlayerController*, FString*, bool) { throw 42; });
  AddTick("Boom", [](float) { throw std::out_of_range("tick failed"); });
  const struct {
    std::function<void()> run;
    framework::Event crash;
  } cases[] = {
      {[&] { game.Chat(&alice, "/BOOM now"); },
       {{"event", "server_crash"},
        {"tick", 0},
        {"kind", "chat"},
        {"name", "/boom"},
        {"text", "chat {} failed"}}},
      {[&] { game.Console(nullptr, "boom.console"); },
       {{"event", "server_crash"},
        {"tick", 0},
        {"kind", "console"},
        {"name", "Boom.Console"},
        {"text", "unknown exception"}}},
      {[&] { game.Tick(); },
       {{"event", "server_crash"},
        {"tick", 1},
        {"kind", "tick"},
        {"name", "Boom"},
        {"text", "tick failed"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.crash.dump());
    EXPECT_EXIT(
        {
          framework::Events().SetListener([&](const framework::Event& event) {
            if (event == c.crash) std::fputs("the expected crash\n", stderr);
          });
          c.run();
        },
        testing::ExitedWithCode(3), "the expected crash");
  }
}

// A handler that withdraws itself is destroyed while it runs, as the real registry destroys it:
// it may touch nothing of its own after that (the sanitizer build sees it if it does).
TEST_F(CommandsTest, HandlerMayWithdrawItselfAsItsLastAct) {
  bool ran = false;
  AddConsole("Reload", [&](APlayerController*, FString*, bool) {
    ran = true;
    commands_.RemoveConsoleCommand("Reload");
  });
  EXPECT_TRUE(game.Console(nullptr, "Reload"));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(game.Console(nullptr, "Reload"));
}

// A tick runs the callbacks registered when it began: one withdrawn by an earlier callback still
// runs in that tick (its handler kept alive until the tick ends), one added runs from the next.
TEST_F(CommandsTest, TickCallbacksChangedDuringATickTakeEffectAtTheNext) {
  std::vector<std::string> calls;
  const std::string later(40, 'L');  // held by the handler, on the heap
  AddTick("First", [&](float) {
    calls.push_back("First");
    if (calls.size() == 1) {
      commands_.RemoveOnTickCallback("First");
      commands_.RemoveOnTickCallback("Later");
      AddTick("Added", [&](float) { calls.push_back("Added"); });
    }
  });
  AddTick("Later", [&calls, later](float) { calls.push_back(later.substr(0, 5)); });
  game.Tick(2);
  EXPECT_EQ(calls, (std::vector<std::string>{"First", "LLLLL", "Added"}));
}

// Every kind of registration is announced, and withdrawn by its own kind's name, ignoring case.
TEST_F(CommandsTest, RegistrationsAreAnnouncedAndWithdrawnByNameIgnoringCase) {
  auto& commands = commands_;
  const struct {
    const char* kind;
    std::function<void()> add;
    std::function<bool(const FString&)> remove;
  } cases[] = {
      {"chat", [&] { commands.AddChatCommand("/a", [](auto...) {}); },
       [&](const FString& name) { return commands.RemoveChatCommand(name); }},
      {"console", [&] { commands.AddConsoleCommand("/a", [](auto...) {}); },
       [&](const FString& name) { return commands.RemoveConsoleCommand(name); }},
      {"rcon", [&] { commands.AddRconCommand("/a", [](auto...) {}); },
       [&](const FString& name) { return commands.RemoveRconCommand(name); }},
      {"tick", [&] { commands.AddOnTickCallback("/a", [](float) {}); },
       [&](const FString& name) { return commands.RemoveOnTickCallback(name); }},
      {"timer", [&] { commands.AddOnTimerCallback("/a", [] {}); },
       [&](const FString& name) { return commands.RemoveOnTimerCallback(name); }},
      {"chat_message",
       [&] { commands.AddOnChatMessageCallback("/a", [](auto...) { return false; }); },
       [&](const FString& name) { return commands.RemoveOnChatMessageCallback(name); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    framework::Events().ClearRetained();
    c.add();
    for (const auto& other : cases) {
      if (&other != &c) {
        EXPECT_FALSE(other.remove("/a")) << other.kind;
      }
    }
    EXPECT_TRUE(c.remove("/A"));
    EXPECT_FALSE(c.remove("/a"));
    const auto registered = EventsOf("registered");
    const auto unregistered = EventsOf("unregistered");
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0]["kind"], c.kind);
    EXPECT_EQ(registered[0]["name"], "/a");
    ASSERT_EQ(unregistered.size(), 1u);
    EXPECT_EQ(unregistered[0]["kind"], c.kind);
    EXPECT_EQ(unregistered[0]["name"], "/a");
  }
}

}  // namespace
