// Where config.json cannot be read as a file.

#include <filesystem>
#include <json.hpp>
#include <optional>

#include "commands/TrackWildDinos.h"
#include "support/HeldFifo.h"
#include "support/PluginFixture.h"

namespace {

class ConfigFileTest : public testing_support::PluginFixture {};

// Only a regular file is opened: a FIFO would block the game server until something wrote to
// it. The document in force stays.
TEST_F(ConfigFileTest, WhatIsNotARegularFileIsRefusedWithTheReason) {
  namespace fs = std::filesystem;
  const struct {
    fs::file_type placed;
    const char* error;
  } cases[] = {
      {fs::file_type::directory, "Can't open config.json: it is a folder, not a file"},
      {fs::file_type::fifo, "Can't open config.json: it is not a regular file"},
  };
  const std::string path = packsentinel::ConfigPath();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    WriteConfig(ShippedConfig());
    packsentinel::ReadConfig();
    const nlohmann::json before = packsentinel::Config;
    fs::remove(path);
    std::optional<testing_support::HeldFifo> fifo;
    if (c.placed == fs::file_type::fifo) {
      fifo.emplace(path);
    } else {
      fs::create_directory(path);
    }
    try {
      packsentinel::ReadConfig();
      ADD_FAILURE() << "read as the configuration";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), c.error);
    }
    EXPECT_EQ(packsentinel::Config, before);
    fs::remove(path);
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
