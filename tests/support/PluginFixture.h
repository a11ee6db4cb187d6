#pragma once

// The plugin's code running in the test's own process against a live game: the server
// directory holds a config.json, and Load and Unload run as at attach and detach.

#include <filesystem>
#include <fstream>
#include <string>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "framework/Server.h"
#include "support/GameFixture.h"
#include "support/PluginReset.h"
#include "support/TempDir.h"
#include "tracking/Registries.h"

namespace testing_support {

class PluginFixture : public GameFixture {
 protected:
  PluginFixture() {
    framework::SetCurrentDir(dir.Path());
    std::filesystem::create_directories(
        std::filesystem::path(packsentinel::ConfigPath()).parent_path());
    WriteConfig(ShippedConfig());
  }
  ~PluginFixture() override { ResetPlugin(); }

  static std::string ShippedConfig() {
    std::ifstream in(SHIPPED_CONFIG);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteConfig(const std::string& text) {
    std::ofstream(packsentinel::ConfigPath(), std::ios::trunc) << text;
  }

  TempDir dir;
};

}  // namespace testing_support
