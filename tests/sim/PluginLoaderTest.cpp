// Loading a plugin as the server does, with the small test plugin.

#include <dlfcn.h>

#include <fstream>

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

  testing_support::TempDir dir;
  devserver::PluginLoader loader{TEST_PLUGIN_PATH, dir.Path(), "TestPlugin"};
};

TEST_F(PluginLoaderTest, LoadsRunsAndUnloads) {
  auto& alice = AddPlayer("alice", 1);
  ASSERT_TRUE(loader.Load());
  EXPECT_TRUE(std::filesystem::exists(loader.PluginDir() + "/libTestPlugin.so"));
  game.Chat(&alice, "/ping");
  game.Tick();
  loader.Unload();
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

}  // namespace
