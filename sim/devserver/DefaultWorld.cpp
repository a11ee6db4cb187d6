// The world a person starts in: two tribes of players near the map's centre and a few dozen
// creatures around them, wild and tamed, near and far.

#include <filesystem>

#include "devserver/DevServer.h"
#include "devserver/Files.h"

namespace devserver {
namespace {

struct PlayerSeed {
  const char* name;
  uint64 steamId;
  int32 dataId;
  std::optional<int32> tribe;
  std::vector<std::string> groups;
  FVector at;
};

struct DinoSeed {
  const char* name;
  const char* descriptiveName;
  int32 level;
  int32 team;
  FVector at;
};

const PlayerSeed kPlayers[] = {
    {"alice", 76561198000000001ull, 1, 50001, {"Default"}, {0, 0, 0}},
    {"bob", 76561198000000002ull, 2, 50001, {"Default", "Vip"}, {1500, 800, 0}},
    {"carol", 76561198000000003ull, 3, 50002, {"Default"}, {-20000, 15000, 0}},
    {"dave", 76561198000000004ull, 4, 50002, {"Default"}, {-21000, 15500, 0}},
    {"eve", 76561198000000005ull, 5, std::nullopt, {"Default", "Admins"}, {40000, -30000, 0}},
};

const DinoSeed kDinos[] = {
    // Wild, around alice and bob.
    {"rex1", "Rex", 150, 0, {3790, 0, 0}},
    {"rex2", "Rex", 120, 0, {-6000, 4000, 0}},
    {"rex3", "Rex", 30, 0, {15000, -9000, 0}},
    {"trex", "T-Rex", 75, 0, {9000, 9000, 0}},
    {"alpharex", "Alpha Rex", 200, 0, {-25000, -5000, 0}},
    {"raptor1", "Raptor", 45, 0, {2500, -2500, 0}},
    {"raptor2", "Raptor", 45, 0, {2700, -2300, 0}},
    {"raptor3", "Raptor", 12, 0, {-3000, -7000, 0}},
    {"alpharaptor", "Alpha Raptor", 90, 0, {12000, 3000, 0}},
    {"giga", "Giganotosaurus", 150, 0, {60000, 60000, 0}},
    {"gigarex", "Giga Rex", 150, 0, {70000, 65000, 0}},
    {"ptera1", "Pteranodon", 20, 0, {500, 1200, 3000}},
    {"ptera2", "Pteranodon", 33, 0, {-800, 2500, 2500}},
    {"trike1", "Triceratops", 60, 0, {7000, -1500, 0}},
    {"trike2", "Triceratops", 8, 0, {-9000, 1000, 0}},
    {"para1", "Parasaur", 5, 0, {1000, 3000, 0}},
    {"para2", "Parasaur", 140, 0, {-1500, -4000, 0}},
    {"dodo1", "Dodo", 1, 0, {300, 300, 0}},
    {"dodo2", "Dodo", 2, 0, {-400, 250, 0}},
    {"dodo3", "Dodo", 150, 0, {150000, -120000, 0}},
    {"carno", "Carnotaurus", 66, 0, {-18000, 12000, 0}},
    {"spino", "Spinosaurus", 110, 0, {-24000, 18000, 0}},
    {"stego", "Stegosaurus", 40, 0, {25000, 5000, 0}},
    {"bronto", "Brontosaurus", 95, 0, {-40000, -40000, 0}},
    {"wyvern", "Fire Wyvern", 180, 0, {300000, 300000, 0}},
    {"tekrex", "Tek Rex", 180, 0, {-350000, 350000, 0}},
    // Tamed by alice's and bob's tribe.
    {"tamerex", "Rex", 210, 50001, {800, -600, 0}},
    {"tameraptor", "Raptor", 180, 50001, {1200, 400, 0}},
    {"tameptera", "Pteranodon", 150, 50001, {-700, -300, 0}},
    {"tameargy", "Argentavis", 160, 50001, {20000, 20000, 0}},
    // Tamed by carol's and dave's tribe.
    {"tamegiga", "Giganotosaurus", 225, 50002, {-20500, 14000, 0}},
    {"tametrike", "Triceratops", 130, 50002, {-19000, 16000, 0}},
    {"tamedodo", "Dodo", 3, 50002, {-22000, 15200, 0}},
    // Owned by other tribes altogether.
    {"foreignrex", "Rex", 190, 60000, {4000, 4000, 0}},
    {"foreignraptor", "Raptor", 100, 20000, {-2000, 1000, 0}},
};

}  // namespace

void DevServer::SpawnDefaultWorld() {
  for (const auto& seed : kPlayers) {
    game::PlayerSpec setup;
    setup.name = seed.name;
    setup.steamId = seed.steamId;
    setup.dataId = seed.dataId;
    setup.tribe = seed.tribe;
    setup.groups = seed.groups;
    setup.at = seed.at;
    game_->AddPlayer(setup);
  }
  for (const auto& seed : kDinos) {
    game_->SpawnDino({seed.name, seed.descriptiveName, seed.level, seed.team, seed.at});
  }
  ExpectFileOrNothing(ConfigPath(), "config.json");
  std::error_code error;
  std::filesystem::copy_file(options_.shippedConfig, ConfigPath(),
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error) throw ScenarioError("can't copy the shipped config.json: " + error.message());
}

}  // namespace devserver
