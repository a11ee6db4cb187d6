#include "support/BenchServer.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "framework/Events.h"
#include "tracking/Registries.h"

namespace bench_support {

BenchServer::BenchServer(nlohmann::json config) {
  framework::Events().SetMode(framework::EventLog::Mode::Count);
  packsentinel::Config = std::move(config);
  packsentinel::TextUpdatePeriod = 0;
}

BenchServer::~BenchServer() {
  packsentinel::WildDinoTrackers.clear();
  packsentinel::TribeDinoTrackers.clear();
  packsentinel::TribeMemberTrackers.clear();
  packsentinel::TrackCounts.clear();
  packsentinel::Config = nullptr;
}

nlohmann::json BenchServer::ShippedConfig() {
  std::ifstream file(BENCH_SHIPPED_CONFIG);
  if (!file) throw std::runtime_error("can't open " BENCH_SHIPPED_CONFIG);
  return nlohmann::json::parse(file);
}

AShooterPlayerController* BenchServer::AddPlayer(const game::PlayerSpec& setup) {
  return reinterpret_cast<AShooterPlayerController*>(game_.AddPlayer(setup).controller);
}

AShooterPlayerController* BenchServer::AddPlayer(const std::string& name, uint64 steamId) {
  game::PlayerSpec setup;
  setup.name = name;
  setup.steamId = steamId;
  setup.dataId = static_cast<int32>(steamId);
  return AddPlayer(setup);
}

APrimalDinoCharacter* BenchServer::SpawnDino(const game::DinoSpec& setup) {
  return reinterpret_cast<APrimalDinoCharacter*>(game_.SpawnDino(setup));
}

void BenchServer::Populate(int count, const std::string& name, float spread, unsigned seed,
                           int32 team) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> place(-spread, spread);
  std::uniform_int_distribution<int32> level(1, 150);
  for (int i = 0; i < count; ++i) {
    game_.SpawnDino({"", name, level(random), team, {place(random), place(random), 0.f}});
  }
}

}  // namespace bench_support
