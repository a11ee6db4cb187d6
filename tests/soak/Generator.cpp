#include "soak/Generator.h"

#include <fmt/format.h>

#include <array>
#include <limits>

#include "soak/HostileText.h"

namespace soak {
namespace {

constexpr std::size_t kMostPlayers = 12;
constexpr std::size_t kFewCreatures = 60;
constexpr std::size_t kManyCreatures = 150;
constexpr std::array<std::int32_t, 3> kTribes = {50001, 50002, 50003};

// Words players look for: parts of the soak's creature names, in other letter cases too.
const std::array<std::string, 10> kSearchedNames = {"rex",        "RAPTOR",    "dodo", "alpha rex",
                                                    "ärger",      "恐竜",      "🦖", "{}",
                                                    "{dinoName}", "pteranodon"};

enum Action {
  kTick,
  kSpawnCreature,
  kDestroyCreature,
  kChangeCreature,
  kMoveSomething,
  kConnect,
  kDisconnect,
  kReconnect,
  kChangeTribe,
  kChangeGroups,
  kChangePlayer,
  kDestroyBody,
  kTrackDino,
  kTrackTribe,
  kTrackMates,
  kFindDino,
  kStopTrack,
  kOtherChat,
  kReload,
  kUnloadAndLoad,
  kActionCount
};

template <typename Container>
const auto& PickFrom(std::mt19937& random, const Container& choices) {
  return choices[std::uniform_int_distribution<std::size_t>(0, std::size(choices) - 1)(random)];
}

}  // namespace

Generator::Generator(Session& session, World& world, Checker& checker, ConfigInForce& inForce,
                     Json base, std::uint32_t seed)
    : session_(session),
      world_(world),
      checker_(checker),
      inForce_(inForce),
      base_(std::move(base)),
      random_(seed),
      written_(base_) {}

void Generator::Start() {
  for (int i = 0; i < 6; ++i) Connect();
  WriteValid();
  Load();
}

void Generator::Step() {
  const std::size_t creatures = world_.Creatures().size();
  // Back to a populated world at once after a checkpoint cleared it.
  if (creatures < kFewCreatures) {
    SpawnCreature();
    return;
  }
  std::array<double, kActionCount> weights{};
  weights[kTick] = 25;
  weights[kSpawnCreature] = creatures < kManyCreatures ? 6 : 0;
  weights[kDestroyCreature] = 6;
  weights[kChangeCreature] = 5;
  weights[kMoveSomething] = 3;
  weights[kConnect] = world_.Players().size() < kMostPlayers ? 1 : 0;
  weights[kDisconnect] = OnlinePlayer() < world_.Players().size() ? 2 : 0;
  weights[kReconnect] = 2;
  weights[kChangeTribe] = 2;
  weights[kChangeGroups] = 1;
  weights[kChangePlayer] = 4;
  weights[kDestroyBody] = 0.5;
  weights[kTrackDino] = 14;
  weights[kTrackTribe] = 3;
  weights[kTrackMates] = 4;
  weights[kFindDino] = 3;
  weights[kStopTrack] = 5;
  weights[kOtherChat] = 1;
  weights[kReload] = 3;
  weights[kUnloadAndLoad] = 0.5;
  std::discrete_distribution<int> pick(weights.begin(), weights.end());

  const auto words = inForce_.config.Words();
  switch (pick(random_)) {
    case kTick:
      Tick();
      break;
    case kSpawnCreature:
      SpawnCreature();
      break;
    case kDestroyCreature:
      world_.Destroy(std::uniform_int_distribution<std::size_t>(0, creatures - 1)(random_));
      break;
    case kChangeCreature:
      ChangeCreature();
      break;
    case kMoveSomething:
      MoveSomething();
      break;
    case kConnect:
      Connect();
      break;
    case kDisconnect:
      world_.Disconnect(OnlinePlayer());
      break;
    case kReconnect: {
      const std::size_t player = AnyPlayer();
      const bool keepOld = Chance(0.1);
      // The controller left behind keeps its entries: asking again from the new one must not
      // add to them past the cap.
      const bool askBothSides = keepOld && Chance(0.5);
      if (askBothSides) ChatAs(player, words.trackMates + " on", 12);
      world_.Reconnect(player, keepOld);
      if (askBothSides) ChatAs(player, words.trackMates + " on", 12);
      break;
    }
    case kChangeTribe: {
      const auto tribe =
          Chance(0.3) ? std::string("none") : std::to_string(PickFrom(random_, kTribes));
      session_.Run(fmt::format("tribe {} {}", world_.Players()[AnyPlayer()].name, tribe));
      break;
    }
    case kChangeGroups: {
      const std::size_t player = AnyPlayer();
      world_.SetGroups(player, RandomGroups());
      break;
    }
    case kChangePlayer:
      ChangePlayer();
      break;
    case kDestroyBody:
      world_.DestroyBody(AnyPlayer());
      break;
    case kTrackDino:
      Chat(words.trackDino, HostileArguments(random_, kSearchedNames));
      break;
    case kTrackTribe:
      OnOrOff(words.trackTribe);
      break;
    case kTrackMates:
      OnOrOff(words.trackMates);
      break;
    case kFindDino:
      Chat(words.findDino, HostileArguments(random_, kSearchedNames));
      break;
    case kStopTrack:
      Chat(words.stopTrack, Chance(0.8) ? "" : HostileArguments(random_, kSearchedNames));
      break;
    case kOtherChat: {
      // Words that may be no command at all, or the words of another configuration.
      const std::string word =
          PickFrom(random_, std::array<std::string, 4>{"/trackdin", "hello", "/td", "/trackdino"});
      Chat(word, HostileArguments(random_, kSearchedNames));
      break;
    }
    case kReload:
      Reload();
      break;
    case kUnloadAndLoad:
      UnloadAndLoad();
      break;
  }
}

void Generator::EnsureLoaded() {
  if (session_.PluginLoaded()) return;
  if (disk_ != Disk::Valid) WriteValid();
  Load();
}

void Generator::Tick() {
  session_.Run(fmt::format("tick {}", std::uniform_int_distribution(1, 20)(random_)));
}

void Generator::SpawnCreature() {
  NewCreature creature;
  creature.descriptiveName = HostileCreatureName(random_);
  creature.level =
      Chance(0.9)
          ? std::uniform_int_distribution(1, 150)(random_)
          : PickFrom(random_, std::array{0, -1, 1000000, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max()});
  creature.team = Chance(0.75) ? 0 : PickFrom(random_, kTribes);
  creature.at = RandomPosition();
  world_.Spawn(creature);
}

void Generator::ChangeCreature() {
  const auto& creature = PickFrom(random_, world_.Creatures());
  constexpr std::array kStates = {"dead",       "alive",    "sleeping", "awake",
                                  "destroying", "health=0", "health=50"};
  const std::size_t kind =
      std::uniform_int_distribution<std::size_t>(0, kStates.size() + 2)(random_);
  std::string change;
  if (kind < kStates.size()) {
    change = kStates[kind];
  } else if (kind == kStates.size()) {
    change = fmt::format("level={}", std::uniform_int_distribution(-3, 300)(random_));
  } else if (kind == kStates.size() + 1) {
    change = fmt::format("team={}", Chance(0.5) ? 0 : PickFrom(random_, kTribes));
  } else {
    change = fmt::format("name=\"{}\"", HostileCreatureName(random_));
  }
  session_.Run(fmt::format("set {} {}", creature, change));
}

void Generator::MoveSomething() {
  const std::size_t player = AnyPlayer();
  if (Chance(0.5) && world_.Players()[player].hasBody) {
    world_.Move(world_.Players()[player].name, RandomPosition());
  } else if (!world_.Creatures().empty()) {
    world_.Move(PickFrom(random_, world_.Creatures()), RandomPosition());
  }
}

void Generator::Connect() {
  const std::optional<std::int32_t> tribe =
      Chance(0.6) ? std::optional(PickFrom(random_, kTribes)) : std::nullopt;
  const auto suffix = HostileNameSuffix(random_);
  auto groups = RandomGroups();
  const auto at = RandomPosition();
  world_.AddPlayer(suffix, std::move(groups), tribe, at);
}

// Death, respawn and the rest of what a player's controller and body go through.
void Generator::ChangePlayer() {
  const std::size_t index = AnyPlayer();
  const auto& player = world_.Players()[index];
  std::vector<std::string> changes = {"nocharacter", "character"};
  if (player.hasBody) changes.insert(changes.end(), {"dead", "alive", "connected", "disconnected"});
  if (player.online) changes.insert(changes.end(), {"respawning", "respawned"});
  session_.Run(fmt::format("set {} {}", player.name, PickFrom(random_, changes)));
}

void Generator::Chat(const std::string& word, const std::string& arguments, int times) {
  const std::size_t online = OnlinePlayer();
  // Mostly someone online; sometimes a line with no controller behind it.
  std::string speaker = "-";
  if (online < world_.Players().size() && Chance(0.9)) {
    speaker = world_.Players()[online].name;
  } else if (Chance(0.5)) {
    speaker = world_.Players()[AnyPlayer()].name;
  }
  Say(speaker, TypedWord(random_, word) + arguments, times);
}

void Generator::ChatAs(std::size_t player, const std::string& text, int times) {
  Say(world_.Players()[player].name, text, times);
}

void Generator::Say(const std::string& speaker, const std::string& text, int times) {
  const std::string line = fmt::format("chat {} {}", speaker, text);
  std::string action = line;
  for (int i = 1; i < times; ++i) action += "\n" + line;
  session_.Run(action);
}

void Generator::OnOrOff(const std::string& word) {
  if (Chance(0.1)) {
    Chat(word, " on", 12);  // past the cap of repeated entries at once
  } else if (Chance(0.3)) {
    Chat(word, HostileArguments(random_, kSearchedNames));
  } else {
    Chat(word, " " + TypedWord(random_, Chance(0.6) ? "on" : "off"));
  }
}

void Generator::Reload() {
  const double choice = std::uniform_real_distribution(0.0, 1.0)(random_);
  if (choice < 0.5) {
    WriteValid();
  } else if (choice < 0.75) {
    WriteBroken();
  } else if (choice < 0.9) {
    session_.Run("config-delete");
    disk_ = Disk::Missing;
  }  // else the file stays as it is
  const std::size_t online = OnlinePlayer();
  const std::string issuer =
      online < world_.Players().size() && Chance(0.7) ? world_.Players()[online].name : "-";
  session_.Run(fmt::format("console {} {}", issuer, TypedWord(random_, "Packsentinel.Reload")));
  if (!session_.PluginLoaded()) return;  // nobody took the line
  checker_.Reloaded(issuer, disk_ == Disk::Valid);
  if (disk_ == Disk::Valid) inForce_.config = written_;
}

void Generator::UnloadAndLoad() {
  if (session_.PluginLoaded()) {
    session_.Run("unload");
    checker_.Unloaded();
  }
  if (Chance(0.3)) {
    if (Chance(0.5)) {
      WriteBroken();
    } else {
      session_.Run("config-delete");
      disk_ = Disk::Missing;
    }
    session_.Run("load");
    checker_.Loaded(false);
  }
  if (disk_ != Disk::Valid || Chance(0.5)) WriteValid();
  Load();
}

void Generator::WriteValid() {
  written_ = SoakConfig::RandomValid(base_, random_);
  session_.Run("config <<SOAKEND\n" + written_.Document().dump() + "\nSOAKEND");
  disk_ = Disk::Valid;
}

void Generator::WriteBroken() {
  session_.Run("config <<SOAKEND\n" + RandomBrokenConfig(base_, random_) + "\nSOAKEND");
  disk_ = Disk::Broken;
}

void Generator::Load() {
  session_.Run("load");
  checker_.Loaded(true);
  inForce_ = {written_, written_.UpdatePeriod()};
}

std::size_t Generator::AnyPlayer() {
  return std::uniform_int_distribution<std::size_t>(0, world_.Players().size() - 1)(random_);
}

std::size_t Generator::OnlinePlayer() {
  const auto& players = world_.Players();
  const std::size_t start = AnyPlayer();
  for (std::size_t i = 0; i < players.size(); ++i) {
    const std::size_t index = (start + i) % players.size();
    if (players[index].online) return index;
  }
  return players.size();
}

std::vector<std::string> Generator::RandomGroups() {
  return PickFrom(random_,
                  std::array<std::vector<std::string>, 4>{std::vector<std::string>{"Default"},
                                                          {"Default", "Vip"},
                                                          {"Default", "Admins"},
                                                          {"Default", "Vip", "Admins"}});
}

Position Generator::RandomPosition() {
  // Mostly where the players are; some far away, for searches that grow outward, and a few
  // beyond where they stop.
  const double where = std::uniform_real_distribution(0.0, 1.0)(random_);
  const double reach = where < 0.85 ? 12000 : where < 0.98 ? 300000 : 50000000;
  std::uniform_int_distribution<int> across(static_cast<int>(-reach), static_cast<int>(reach));
  return {
      static_cast<double>(across(random_)), static_cast<double>(across(random_)),
      Chance(0.8) ? 0.0 : static_cast<double>(std::uniform_int_distribution(-500, 3000)(random_))};
}

bool Generator::Chance(double probability) {
  return std::bernoulli_distribution(probability)(random_);
}

}  // namespace soak
