#include "FuzzServer.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string_view>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "framework/Events.h"
#include "framework/Server.h"
#include "support/PluginReset.h"

namespace fuzz {
namespace {

std::string MakeFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "packsentinel-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

// The plugin logs what its handlers raised as "NAME failed: TEXT", NAME being a chat word, a
// console command or a tick id: none holds a space. Other lines may quote " failed: " further on,
// as a syntax error quotes the text it stopped at.
bool IsHandlerErrorLine(std::string_view text) {
  const auto space = text.find(' ');
  return space != 0 && space != std::string_view::npos &&
         text.substr(space).starts_with(" failed: ");
}

}  // namespace

FuzzServer::FuzzServer() : folder_(MakeFolder()) {
  framework::SetCurrentDir(folder_);
  std::filesystem::create_directories(
      std::filesystem::path(packsentinel::ConfigPath()).parent_path());
  // Events are built, as devserver builds them, but kept nowhere.
  framework::Events().SetMode(framework::EventLog::Mode::Record);
  framework::Events().SetListener([](const framework::Event& event) {
    const bool handlerFailed = event["event"] == "log" && event["logger"] == "Packsentinel" &&
                               IsHandlerErrorLine(event["text"].get<std::string>());
    if (handlerFailed) {
      std::fprintf(stderr, "handler error: %s\n", event.dump().c_str());
      std::abort();
    }
  });

  game::PlayerSpec alice{.name = "alice", .steamId = 1, .dataId = 1, .tribe = 7};
  game::PlayerSpec bob{.name = "bob", .steamId = 2, .dataId = 2, .tribe = 7};
  bob.at = {1500.f, 0.f, 0.f};
  game::PlayerSpec carol{.name = "carol", .steamId = 3, .dataId = 3};
  carol.groups = {"Admins"};
  for (const auto& player : {alice, bob, carol}) game_.AddPlayer(player);
  game_.SpawnDino({"rex", "Rex", 30, 0, {1000.f, 0.f, 0.f}});
  game_.SpawnDino({"raptor", "Raptor", 7, 0, {-4000.f, 200.f, 0.f}});
  game_.SpawnDino({"pet", "Pet Dodo", 3, 7, {500.f, 500.f, 0.f}});
  game_.SpawnDino({"far", "Rex", 150, 0, {900000.f, -900000.f, 0.f}});
}

void FuzzServer::WriteConfig(std::string_view text) {
  std::ofstream(packsentinel::ConfigPath(), std::ios::binary | std::ios::trunc) << text;
}

void FuzzServer::WriteSoundConfig() {
  static const std::string sound = [] {
    std::ifstream shipped(SHIPPED_CONFIG, std::ios::binary);
    auto document = nlohmann::json::parse(shipped);
    document["UpdateTextEvery"] = 0;
    return document.dump();
  }();
  WriteConfig(sound);
}

bool FuzzServer::Load() {
  try {
    packsentinel::Load();
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void FuzzServer::Unload() { testing_support::ResetPlugin(); }

game::Player& FuzzServer::PlayerAt(unsigned player) {
  return *game_.Players()[player % game_.Players().size()];
}

void FuzzServer::Chat(unsigned player, std::string_view line) {
  game_.Chat(&PlayerAt(player), line);
}

void FuzzServer::Reload(unsigned player) {
  game_.Console(&PlayerAt(player), "Packsentinel.Reload");
}

FuzzServer& Server() {
  static FuzzServer server;
  return server;
}

}  // namespace fuzz
