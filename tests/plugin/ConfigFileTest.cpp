// Where config.json cannot be read as a file.

#include <filesystem>

#include "commands/TrackWildDinos.h"
#include "support/PluginFixture.h"

namespace {

class ConfigFileTest : public testing_support::PluginFixture {};

TEST_F(ConfigFileTest, ADirectoryInPlaceOfTheFileCannotBeOpened) {
  std::filesystem::remove(packsentinel::ConfigPath());
  std::filesystem::create_directory(packsentinel::ConfigPath());
  try {
    packsentinel::ReadConfig();
    FAIL() << "a directory was read as the configuration";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Can't open config.json");
  }
}

// The usage reply names the word the command was registered under, bytes beyond ASCII as '?'.
TEST_F(ConfigFileTest, UsageNamesTheRegisteredWord) {
  packsentinel::ReadConfig();
  packsentinel::Config["Commands"]["TrackWildDinos"]["Command"] = "/trackd\xC3\xA9";
  packsentinel::Config["Messages"]["TrackWildDinosUseHelp"] = "Usage: {}";
  auto& alice = AddPlayer("alice", 1);
  packsentinel::TrackWildDinosCommand(reinterpret_cast<AShooterPlayerController*>(alice.controller),
                                      u"/trackd??", 0);
  const auto chats = EventsOf("chat");
  ASSERT_EQ(chats.size(), 1u);
  EXPECT_EQ(chats[0]["text"], "Usage: /trackd??");
}

}  // namespace
