#include "support/LabelWorld.h"

#include <array>
#include <cmath>
#include <exception>
#include <numbers>
#include <random>

#include "core/Lifecycle.h"
#include "support/EventCapture.h"
#include "tracking/Registries.h"
#include "tracking/TribeDinoLabels.h"
#include "tracking/TribeMemberLabels.h"
#include "tracking/WildDinoLabels.h"

namespace bench_support {
namespace {

constexpr float kPlayerSpacing = 50000.f;  // 500 m: mates stay beyond the shortest mate range
// Creatures between 10 and 190 m of their tracker: inside every creature label range.
constexpr float kNearest = 1000.f;
constexpr float kFarthest = 19000.f;
constexpr int32 kFirstTribe = 1200000000;  // tribe ids are also the tribes' teams, beyond wild
constexpr uint64 kFirstSteamId = 76561198000000000ull;

constexpr std::array kWildNames = {"Raptor",      "Dodo",        "Parasaur", "Triceratops",
                                   "Stegosaurus", "Carnotaurus", "Rex",      "Pteranodon"};
constexpr std::array kTribeNames = {"Argentavis", "Ankylosaurus", "Doedicurus", "Therizinosaur",
                                    "Castoroides"};

class Spawner {
 public:
  explicit Spawner(BenchServer& server) : server_(server), random_(7) {}

  APrimalDinoCharacter* Near(const FVector& centre, const char* name, int32 team) {
    const float distance = distance_(random_);
    const float angle = angle_(random_);
    const FVector at{centre.X + distance * std::cos(angle), centre.Y + distance * std::sin(angle),
                     0.f};
    return server_.SpawnDino({"", name, level_(random_), team, at});
  }
  template <std::size_t N>
  const char* AnyOf(const std::array<const char*, N>& names) {
    return names[std::uniform_int_distribution<std::size_t>(0, N - 1)(random_)];
  }

 private:
  BenchServer& server_;
  std::mt19937 random_;
  std::uniform_real_distribution<float> distance_{kNearest, kFarthest};
  std::uniform_real_distribution<float> angle_{0.f, 2.f * std::numbers::pi_v<float>};
  std::uniform_int_distribution<int32> level_{1, 150};
};

}  // namespace

LabelWorld::LabelWorld(nlohmann::json config) : server_(std::move(config)), game_(), floor_(game_) {
  Spawner spawn(server_);
  for (int i = 0; i < kTribes * kPlayersPerTribe; ++i) {
    const int32 tribe = kFirstTribe + i / kPlayersPerTribe;
    game::PlayerSpec setup;
    setup.name = "player" + std::to_string(i);
    setup.steamId = kFirstSteamId + static_cast<uint64>(i);
    setup.dataId = 1000 + i;
    setup.tribe = tribe;
    setup.at = {static_cast<float>(i % 10) * kPlayerSpacing,
                static_cast<float>(i / 10) * kPlayerSpacing, 0.f};
    AShooterPlayerController* player = server_.AddPlayer(setup);

    for (int n = 0; n < kWildPerPlayer; ++n) {
      APrimalDinoCharacter* creature = spawn.Near(setup.at, spawn.AnyOf(kWildNames), 0);
      packsentinel::AppendDinoEntry(packsentinel::WildDinoTrackers, player, creature);
      floor_.TrackWild(player, creature);
    }
    for (int n = 0; n < kTribeCreaturesPerPlayer; ++n) {
      APrimalDinoCharacter* creature = spawn.Near(setup.at, spawn.AnyOf(kTribeNames), tribe);
      packsentinel::AppendDinoEntry(packsentinel::TribeDinoTrackers, player, creature);
      floor_.TrackTribe(player, creature);
    }
    packsentinel::AppendMemberEntry(player);
    floor_.ShowMates(player);
  }
}

void LabelWorld::RefreshPlugin() {
  packsentinel::TribeMemberLabelUpdater(0.f);
  packsentinel::TribeDinoLabelUpdater(0.f);
  packsentinel::WildDinoLabelUpdater(0.f);
}

void LabelWorld::RefreshFloor() { floor_.Refresh(packsentinel::TextUpdatePeriod); }

std::string LabelWorld::Check() {
  std::vector<framework::Event> plugin;
  std::vector<framework::Event> floor;
  try {
    plugin = RecordEvents([this] { RefreshPlugin(); });
    floor = RecordEvents([this] { RefreshFloor(); });
  } catch (const std::exception& error) {
    return error.what();
  }
  const std::size_t labels = CountLabels(plugin);
  if (labels != kLabelsPerRefresh) {
    return "the plugin drew " + std::to_string(labels) + " labels, not " +
           std::to_string(kLabelsPerRefresh);
  }
  return DescribeDifference(plugin, floor);
}

}  // namespace bench_support
