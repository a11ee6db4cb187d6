// The plugin's logger writes through the host's own sinks and sets their line pattern.

#include <filesystem>
#include <fstream>
#include <regex>

#include "host/Log.h"
#include "support/PluginFixture.h"

namespace {

class LoggerTest : public testing_support::PluginFixture {};

TEST_F(LoggerTest, LinesReachTheHostsLogFileInThePluginsPattern) {
  std::filesystem::remove(packsentinel::ConfigPath());
  EXPECT_THROW(packsentinel::Load(), std::runtime_error);
  host::FlushLog();

  std::ifstream file(dir.Path() + "/ArkApi/Logs/ArkApi.log");
  // The plugin's first line; the framework's own may come before it.
  std::string line;
  while (std::getline(file, line) && line.find("[Packsentinel]") == std::string::npos) {
  }
  EXPECT_TRUE(std::regex_match(
      line,
      std::regex(
          R"(\d\d/\d\d/\d\d \d\d:\d\d \[Packsentinel\]\[error\] Error reading config: Can't open config\.json)")))
      << line;

  std::vector<framework::Event> logs;
  for (const auto& log : EventsOf("log")) {
    if (log["logger"] == "Packsentinel") logs.push_back(log);
  }
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0]["level"], "error");
  EXPECT_EQ(logs[0]["text"], "Error reading config: Can't open config.json");
}

}  // namespace
