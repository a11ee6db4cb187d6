// Registration with the host across load, reload and unload, when the configuration goes bad.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigFile.h"
#include "support/FunctionHook.h"
#include "support/PluginFixture.h"

namespace {

using namespace packsentinel;

class LifecycleTest : public testing_support::PluginFixture {
 protected:
  // "kind name" of each registry event of that type, in order.
  static std::vector<std::string> Registrations(const std::string& event) {
    std::vector<std::string> names;
    for (const auto& e : EventsOf(event)) {
      names.push_back(e["kind"].get<std::string>() + " " + e["name"].get<std::string>());
    }
    return names;
  }

  static std::string ShippedConfigWith(const std::string& pointer, const nlohmann::json& value) {
    auto document = nlohmann::json::parse(ShippedConfig());
    document[nlohmann::json::json_pointer(pointer)] = value;
    return document.dump();
  }

  bool ChatTaken(game::Player& player, std::string_view line) { return game.Chat(&player, line); }

  // The error's text and, for a refused configuration, every problem it names.
  static std::string ErrorText(const std::exception& error) {
    std::string text = error.what();
    if (const auto* rejected = dynamic_cast<const ConfigRejected*>(&error)) {
      for (const auto& problem : rejected->Problems()) text += "\n" + Describe(problem);
    }
    return text;
  }

  // The shipped configuration with an unused key nested this many arrays deep.
  static std::string ShippedConfigNested(int depth) {
    std::string text = ShippedConfig();
    text.insert(text.find('{') + 1,
                "\"Unused\": " + std::string(depth, '[') + std::string(depth, ']') + ",");
    return text;
  }
};

// Nesting that would overflow the stack of anything walking it is refused before it is kept,
// at start-up as at a reload.
TEST_F(LifecycleTest, DeeplyNestedFileIsRefusedAtLoadAndAtReload) {
  const std::string deep = ShippedConfigNested(100000);
  WriteConfig(deep);
  try {
    Load();
    ADD_FAILURE() << "the load succeeded";
  } catch (const std::exception& error) {
    std::string pointer = "/Unused";
    for (int level = 3; level <= 33; ++level) pointer += "/0";
    EXPECT_NE(ErrorText(error).find(pointer + ": nested deeper than 32 levels"), std::string::npos)
        << ErrorText(error);
  }
  EXPECT_EQ(State(), PluginState::Failed);
  EXPECT_TRUE(Config.is_null());

  WriteConfig(ShippedConfigNested(31));  // 32 levels with the document itself
  Load();
  ASSERT_TRUE(IsLoaded());
  WriteConfig(deep);
  EXPECT_THROW(ReadConfig(), ConfigRejected);
  EXPECT_EQ(Config["Unused"].dump(), std::string(31, '[') + std::string(31, ']'));
}

// Every start registers the ten handlers once, whatever came before it in the process: Unload
// leaves nothing behind that would make the next Load a reload, and a Load of a loaded plugin
// starts it afresh.
TEST_F(LifecycleTest, EachLoadRegistersEveryHandlerOnce) {
  const std::vector<std::string> ten = {"console Packsentinel.Reload",
                                        "rcon Packsentinel.Reload",
                                        "chat /trackmates",
                                        "chat /tracktribe",
                                        "chat /trackdino",
                                        "chat /finddino",
                                        "chat /stoptrack",
                                        "tick Packsentinel.DrawPlayersText",
                                        "tick Packsentinel.DrawDinosText",
                                        "tick Packsentinel.DrawWildDinos"};
  const std::vector<std::pair<const char*, void (*)()>> before = {
      {"load, unload", [] { Load(), Unload(); }},
      {"load", [] { Load(); }},
      {"a failed load",
       [] {
         WriteConfig("{");
         EXPECT_ANY_THROW(Load());
         WriteConfig(ShippedConfig());
       }},
  };
  for (const auto& [what, run] : before) {
    SCOPED_TRACE(what);
    run();
    framework::Events().ClearRetained();
    Load();
    EXPECT_EQ(Registrations("registered"), ten);
    EXPECT_TRUE(IsLoaded());
    Unload();
    EXPECT_EQ(State(), PluginState::NotLoaded);
  }
}

// The framework withdraws the first callback of an id whichever plugin added it: another plugin's
// callbacks under the generic names, registered before ours, outlive our unload.
TEST_F(LifecycleTest, UnloadLeavesAnotherPluginsCallbacks) {
  auto& commands = ArkApi::GetCommands();
  const char* const generic[] = {"DrawPlayersText", "DrawDinosText", "DrawWildDinos"};
  int othersRun = 0;
  for (const char* id : generic) {
    commands.AddOnTickCallback(FString(id), [&othersRun](float) { ++othersRun; });
  }
  Load();
  Unload();
  game.Tick();
  EXPECT_EQ(othersRun, 3);
  for (const char* id : generic) EXPECT_TRUE(commands.RemoveOnTickCallback(FString(id))) << id;
}

// A withdrawal that fails (here the game's allocator throws once) is logged, and every other
// one still happens: nothing of the plugin may stay registered once its library is gone.
using Malloc = void*(unsigned long long, unsigned int);
Malloc* gameMalloc = nullptr;
int mallocFailures = 0;
void* FailingMalloc(unsigned long long count, unsigned int alignment) {
  if (mallocFailures > 0 && mallocFailures--) throw std::runtime_error("out of memory");
  return gameMalloc(count, alignment);
}

TEST_F(LifecycleTest, UnloadWithdrawsEverythingAWithdrawalFailureLeaves) {
  Load();
  framework::Events().ClearRetained();
  {
    testing_support::FunctionHook hook("FMemory.Malloc", &FailingMalloc, &gameMalloc);
    mallocFailures = 1;
    Unload();
  }
  EXPECT_EQ(Registrations("unregistered"),
            (std::vector<std::string>{"rcon Packsentinel.Reload", "chat /trackmates",
                                      "chat /tracktribe", "chat /trackdino", "chat /finddino",
                                      "chat /stoptrack", "tick Packsentinel.DrawPlayersText",
                                      "tick Packsentinel.DrawDinosText",
                                      "tick Packsentinel.DrawWildDinos"}));
  const auto logs = EventsOf("log");
  ASSERT_FALSE(logs.empty());
  EXPECT_EQ(logs[0]["text"],
            "Can't withdraw the console command Packsentinel.Reload: out of memory");
  EXPECT_TRUE(ArkApi::GetCommands().RemoveConsoleCommand(FString("Packsentinel.Reload")));
}

// The in-memory document can no longer name the words (a lookup turned a section into null, or
// a test broke it); unload still withdraws exactly what was registered, the words of the last
// reload included.
TEST_F(LifecycleTest, UnloadWithdrawsWhatWasRegisteredWhateverTheConfigurationSaysNow) {
  auto& alice = AddPlayer("alice", 1);
  const std::vector<void (*)()> breakages = {
      [] { Config = nullptr; },
      [] { Config["Commands"] = 5; },
      [] { Config["Commands"]["StopTrack"]["Command"] = "/other"; },
      [] { Config = nlohmann::json::array(); },
  };
  for (std::size_t i = 0; i < breakages.size(); ++i) {
    SCOPED_TRACE(i);
    WriteConfig(ShippedConfig());
    Load();
    WriteConfig(ShippedConfigWith("/Commands/StopTrack/Command", "/untrack"));
    ReadConfig();
    framework::Events().ClearRetained();

    breakages[i]();
    EXPECT_NO_THROW(Unload());
    EXPECT_EQ(Registrations("unregistered"),
              (std::vector<std::string>{"console Packsentinel.Reload", "rcon Packsentinel.Reload",
                                        "chat /trackmates", "chat /tracktribe", "chat /trackdino",
                                        "chat /finddino", "chat /untrack",
                                        "tick Packsentinel.DrawPlayersText",
                                        "tick Packsentinel.DrawDinosText",
                                        "tick Packsentinel.DrawWildDinos"}));
    EXPECT_FALSE(ChatTaken(alice, "/untrack"));
    EXPECT_FALSE(ChatTaken(alice, "/stoptrack"));
  }
}

// All five words are read from the new document before anything is withdrawn, so a file that
// cannot be used leaves the configuration and the commands as they were.
TEST_F(LifecycleTest, ReloadWithAnUnusableFileChangesNothing) {
  auto& alice = AddPlayer("alice", 1);
  Load();
  const struct {
    const char* what;
    std::optional<std::string> file;  // none: no config.json at all
    const char* error;
  } cases[] = {
      {"missing", std::nullopt, "Can't open config.json"},
      // What is no JSON is said with its place, and the usual slips with a hint.
      {"not JSON", R"({"Commands": {"StopTrack": {"Command": "/x"}})",
       "config.json: line 1, column 46: syntax error while parsing object - unexpected end of "
       "input; expected '}'"},
      {"empty", " \n",
       "line 2, column 1: syntax error while parsing value - unexpected end of "
       "input; expected '[', '{', or a literal. Hint: the file is empty"},
      {"a comma after the last entry", "{\n  \"MaxTrackPerPlayer\": 10,\n}",
       "line 3, column 1: syntax error while parsing object key - unexpected '}'; expected string "
       "literal. Hint: a comma after the last entry is not allowed (the comma on line 2)"},
      {"a comma after the last item", "{\"Commands\": [1,\n2, ]}",
       "Hint: a comma after the last entry is not allowed (the comma on line 2)"},
      // The first character is a line feed too.
      {"a comma after a blank first line", "\n{\"MaxTrackPerPlayer\": 10,\n}",
       "Hint: a comma after the last entry is not allowed (the comma on line 2)"},
      {"a comment", "{\n  // limits\n  \"MaxTrackPerPlayer\": 10\n}",
       "line 2, column 3: syntax error while parsing object key - invalid literal; last read: "
       "'{<U+000A>  /'; expected string literal. Hint: JSON has no comments"},
      {"a text without its closing quote", "{\"Messages\": {\"NoPermissions\": \"No.\n}}",
       "Hint: a text is missing its closing quote"},
      {"a key not quoted", "{MaxTrackPerPlayer: 10}", "Hint: keys are texts in double quotes"},
      // A number beyond a double is said at its place, past texts that hold the same digits.
      {"a number too large", "{\"a\": \"1e999\",\n  \"MaxTrackPerPlayer\": 1e999}",
       "config.json: line 2, column 24: the number 1e999 is too large to be read"},
      {"an integer too large", "[0, -1" + std::string(400, '0') + "]",
       "config.json: line 1, column 5: the number -100000000000000000000000000000000000000… "
       "(402 characters) is too large"},
      {"over the size bound", std::string(kConfigSizeLimit + 1, ' '),
       "Can't open config.json: it holds 1048577 bytes, more than the 1048576 bytes a "
       "configuration may hold"},
      {"an array", "[1]", "found a list, expected an object holding the settings"},
      {"a number", "42", "found 42, expected an object holding the settings"},
      {"null", "null", "found null, expected an object holding the settings"},
      {"a word that is a number", ShippedConfigWith("/Commands/StopTrack/Command", 7),
       "/Commands/StopTrack/Command: found 7, expected a text"},
      {"a word missing", ShippedConfigWith("/Commands/FindDinos", nlohmann::json::object()),
       "/Commands/FindDinos/Command: missing, expected a text"},
      {"nested too deep", ShippedConfigNested(33), "nested deeper than 32 levels"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.file) {
      WriteConfig(*c.file);
    } else {
      std::filesystem::remove(ConfigPath());
    }
    const nlohmann::json before = Config;
    framework::Events().ClearRetained();

    try {
      ReadConfig();
      ADD_FAILURE() << "the reload succeeded";
    } catch (const std::exception& error) {
      const std::string text = ErrorText(error);
      EXPECT_NE(text.find(c.error), std::string::npos) << text;
    }
    EXPECT_EQ(Config, before);
    EXPECT_TRUE(Registrations("unregistered").empty());
    EXPECT_TRUE(Registrations("registered").empty());
    EXPECT_TRUE(ChatTaken(alice, "/stoptrack"));
    EXPECT_FALSE(ChatTaken(alice, "/x"));
  }
}

}  // namespace
