// Loading a plugin as the server does, with the small test plugin.

#include <API/ARK/Ark.h>
#include <dlfcn.h>

#include <filesystem>
#include <fstream>

#include "devserver/PluginInfo.h"
#include "devserver/PluginLoader.h"
#include "framework/Server.h"
#include "support/GameFixture.h"
#include "support/TempDir.h"

namespace {

using testing_support::GameFixture;

class PluginLoaderTest : public GameFixture {
 protected:
  PluginLoaderTest() { framework::SetCurrentDir(dir.Path()); }

  std::vector<std::string> Kinds() const {
    std::vector<std::string> kinds;
    for (const auto& event : framework::Events().Retained()) {
      std::string kind = event["event"];
      if (event.contains("name")) kind += " " + event["name"].get<std::string>();
      kinds.push_back(kind);
    }
    return kinds;
  }

  void WritePluginInfo(const std::string& text) const {
    std::filesystem::create_directories(loader.PluginDir());
    std::ofstream(loader.PluginDir() + "/PluginInfo.json") << text;
  }

  testing_support::TempDir dir;
  devserver::PluginLoader loader{TEST_PLUGIN_PATH, dir.Path(), "TestPlugin"};
};

TEST_F(PluginLoaderTest, LoadsRunsAndUnloads) {
  auto& alice = AddPlayer("alice", 1);
  ASSERT_TRUE(loader.Load());
  EXPECT_TRUE(std::filesystem::exists(loader.PluginDir() + "/libTestPlugin.so"));
  EXPECT_TRUE(ArkApi::Tools::IsPluginLoaded("TestPlugin"));
  game.Chat(&alice, "/ping");
  game.Tick();
  loader.Unload();
  EXPECT_FALSE(ArkApi::Tools::IsPluginLoaded("TestPlugin"));
  game.Tick();
  game.Chat(&alice, "/ping");

  EXPECT_EQ(Kinds(), (std::vector<std::string>{
                         "registered /ping", "registered /boom", "registered DrawPingers",
                         "plugin_loaded", "chat", "debug_string", "unregistered /ping",
                         "unregistered /boom", "unregistered DrawPingers", "plugin_unloaded"}));
  // Really gone from the process: a new load starts from fresh state.
  EXPECT_EQ(dlopen((loader.PluginDir() + "/libTestPlugin.so").c_str(), RTLD_NOLOAD | RTLD_NOW),
            nullptr);
}

TEST_F(PluginLoaderTest, ReloadStartsFromFreshState) {
  auto& alice = AddPlayer("alice", 1);
  ASSERT_TRUE(loader.Load());
  game.Chat(&alice, "/ping");
  loader.Unload();
  ASSERT_TRUE(loader.Load());
  framework::Events().ClearRetained();
  game.Tick();
  EXPECT_TRUE(EventsOf("debug_string").empty()) << "the pinger list died with the old load";
}

TEST_F(PluginLoaderTest, FailedStartUpIsReportedAndLeavesNothing) {
  std::filesystem::create_directories(loader.PluginDir());
  std::ofstream(loader.PluginDir() + "/config.json") << "fail-attach\n";
  EXPECT_FALSE(loader.Load());
  EXPECT_FALSE(loader.IsLoaded());
  EXPECT_FALSE(ArkApi::Tools::IsPluginLoaded("TestPlugin"));
  const auto failed = EventsOf("plugin_failed");
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0]["text"], "asked to fail");
  EXPECT_TRUE(EventsOf("registered").empty());
  loader.Unload();
  EXPECT_TRUE(EventsOf("plugin_unloaded").empty());
}

TEST_F(PluginLoaderTest, MissingLibraryFails) {
  devserver::PluginLoader missing(dir.Path() + "/nowhere.so", dir.Path(), "Missing");
  EXPECT_FALSE(missing.Load());
  const auto failed = EventsOf("plugin_failed");
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_NE(failed[0]["text"].get<std::string>().find("nowhere.so"), std::string::npos);
}

// PluginInfo.json beside the library, read as the framework's loader reads it.
TEST_F(PluginLoaderTest, PluginInfoCanRefuseTheLoadOrLogMissingDependencies) {
  const struct {
    const char* what;
    const char* pluginInfo;  // none: no file
    const char* failure;     // the start of plugin_failed's text; none: loaded
    std::vector<std::string> errors;
  } cases[] = {
      {"no file", nullptr, nullptr, {}},
      {"every key",
       R"({"FullName": "Test", "Description": "d", "Version": 2, )"
       R"("MinApiVersion": 3.5, "Dependencies": ["Permissions"]})",
       nullptr,
       {}},
      {"a later framework",
       R"({"MinApiVersion": 3.6})",
       "TestPlugin needs framework version 3.6 or later; this framework is 3.5",
       {}},
      {"a missing dependency",
       R"({"Dependencies": ["Permissions", "Nowhere", "Gone"]})",
       nullptr,
       {"Plugin TestPlugin depends on Nowhere, which is not loaded",
        "Plugin TestPlugin depends on Gone, which is not loaded"}},
      {"not JSON", "{\"Version\": ", "PluginInfo.json: not JSON: ", {}},
      {"not an object", "[]", "PluginInfo.json: not a JSON object", {}},
      {"a number as text",
       R"({"Version": "1.0"})",
       "PluginInfo.json: Version must be a number",
       {}},
      {"a name that is no text",
       R"({"Dependencies": ["Permissions", 7]})",
       "PluginInfo.json: Dependencies must be an array of plugin names",
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    framework::Events().ClearRetained();
    std::filesystem::remove(loader.PluginDir() + "/PluginInfo.json");
    if (c.pluginInfo != nullptr) WritePluginInfo(c.pluginInfo);

    EXPECT_EQ(loader.Load(), c.failure == nullptr);
    const auto failed = EventsOf("plugin_failed");
    if (c.failure == nullptr) {
      EXPECT_TRUE(failed.empty());
    } else {
      ASSERT_EQ(failed.size(), 1u);
      EXPECT_EQ(failed[0]["text"].get<std::string>().rfind(c.failure, 0), 0u) << failed[0]["text"];
      EXPECT_TRUE(EventsOf("registered").empty()) << "the library was never started";
    }
    std::vector<std::string> errors;
    for (const auto& log : EventsOf("log")) {
      EXPECT_EQ(log["logger"], "ArkApi");
      EXPECT_EQ(log["level"], "error");
      errors.push_back(log["text"]);
    }
    EXPECT_EQ(errors, c.errors);
    loader.Unload();
  }
}

TEST_F(PluginLoaderTest, PluginInfoIsInstalledBesideTheLibrary) {
  const std::string shipped = dir.Path() + "/PluginInfo.json";
  std::ofstream(shipped) << R"({"MinApiVersion": 99})";
  devserver::PluginLoader installing{TEST_PLUGIN_PATH, dir.Path(), "TestPlugin", shipped};
  EXPECT_FALSE(installing.Load());
  EXPECT_TRUE(std::filesystem::exists(installing.PluginDir() + "/PluginInfo.json"));

  // Without one shipped, the folder's own file is what counts.
  devserver::PluginLoader plain{TEST_PLUGIN_PATH, dir.Path(), "TestPlugin",
                                dir.Path() + "/absent.json"};
  std::filesystem::remove(plain.PluginDir() + "/PluginInfo.json");
  EXPECT_TRUE(plain.Load());
}

TEST(PluginInfoTest, ReadsEveryKeyOrItsDefault) {
  testing_support::TempDir folder;
  const devserver::PluginInfo defaults = devserver::ReadPluginInfo(folder.Path());
  EXPECT_EQ(defaults.fullName, "");
  EXPECT_EQ(defaults.description, "No description");
  EXPECT_EQ(defaults.version, 1.0);
  EXPECT_EQ(defaults.minApiVersion, 0.0);
  EXPECT_TRUE(defaults.dependencies.empty());

  std::ofstream(folder.Path() + "/PluginInfo.json")
      << R"({"FullName": "Pack Sentinel", "Description": "Finds creatures", "Version": 1.2,
            "MinApiVersion": 3.4, "Dependencies": ["Permissions"], "Other": null})";
  const devserver::PluginInfo read = devserver::ReadPluginInfo(folder.Path());
  EXPECT_EQ(read.fullName, "Pack Sentinel");
  EXPECT_EQ(read.description, "Finds creatures");
  EXPECT_EQ(read.version, 1.2);
  EXPECT_EQ(read.minApiVersion, 3.4);
  EXPECT_EQ(read.dependencies, std::vector<std::string>{"Permissions"});
}

// The file shipped beside config.json is what a real server's loader reads: it must read without
// a fault, ask for no newer framework than the stand-in's, and name the permissions plugin.
TEST(PluginInfoTest, TheShippedFileReadsAndLoadsHere) {
  const auto shipped = std::filesystem::path(SHIPPED_CONFIG).parent_path().string();
  const devserver::PluginInfo info = devserver::ReadPluginInfo(shipped);
  EXPECT_EQ(info.fullName, "Packsentinel");
  EXPECT_NE(info.description, "No description");
  EXPECT_LE(info.minApiVersion, ArkApi::Tools::GetApiVersion());
  EXPECT_EQ(info.dependencies, std::vector<std::string>{"Permissions"});
}

}  // namespace
