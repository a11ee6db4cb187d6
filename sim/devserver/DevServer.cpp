#include "devserver/DevServer.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <random>

#include "devserver/Reports.h"
#include "devserver/Signals.h"
#include "framework/Names.h"
#include "game/Allocator.h"

namespace devserver {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitList(std::string_view text) {
  std::vector<std::string> items;
  if (text == "-") return items;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto comma = text.find(',', start);
    const auto end = comma == std::string_view::npos ? text.size() : comma;
    if (end > start) items.emplace_back(text.substr(start, end - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return items;
}

// "key=value" words: the value, or none when the word is not about key.
std::optional<std::string_view> OptionValue(std::string_view word, std::string_view key) {
  if (word.size() > key.size() && word.substr(0, key.size()) == key && word[key.size()] == '=') {
    return word.substr(key.size() + 1);
  }
  return std::nullopt;
}

// what: what the command takes, as a person says it.
void ExpectWords(const std::vector<Word>& words, std::size_t min, std::size_t max,
                 std::string_view what) {
  if (words.size() < min || words.size() > max) {
    throw ScenarioError(fmt::format("{} takes {}", words[0].text, what));
  }
}

constexpr std::string_view kNothing = "nothing after it";
constexpr std::string_view kPlayersName = "a player's name";

void ExpectNothingMore(const std::vector<Word>& words) { ExpectWords(words, 1, 1, kNothing); }

[[noreturn]] void UnknownCommand(std::string_view command) {
  throw ScenarioError(
      fmt::format("unknown command: {}{}", Excerpt(command), DidYouMean(command, CommandNames())));
}

// An option or flag no command knows: "unknown player option: stem=1; did you mean steam=?".
[[noreturn]] void UnknownWord(std::string_view what, std::string_view word,
                              const std::vector<std::string_view>& known) {
  // The key is what may be misspelt; the value is the person's own.
  const auto equals = word.find('=');
  const auto key = equals == std::string_view::npos ? word : word.substr(0, equals + 1);
  throw ScenarioError(fmt::format("unknown {}: {}{}", what, Excerpt(word), DidYouMean(key, known)));
}

// Reads "at X Y Z" at index i (the word "at"); returns the index after it.
std::size_t ReadPosition(const std::vector<Word>& words, std::size_t i, FVector& at) {
  if (i + 3 >= words.size()) throw ScenarioError("at takes X Y Z");
  at = {ParseFloat(words[i + 1].text), ParseFloat(words[i + 2].text),
        ParseFloat(words[i + 3].text)};
  return i + 4;
}

// The PluginInfo.json shipped beside the configuration, if any.
std::string PluginInfoBeside(const std::string& shippedConfig) {
  if (shippedConfig.empty()) return {};
  return (fs::path(shippedConfig).parent_path() / "PluginInfo.json").string();
}

constexpr float kMaxSpread = std::numeric_limits<float>::max() / 2;

int32 ParseInt32(std::string_view text) {
  return static_cast<int32>(ParseInteger(text, INT32_MIN, INT32_MAX));
}

}  // namespace

DevServer::DevServer(ServerOptions options)
    : options_(std::move(options)),
      game_(std::make_unique<game::Game>()),
      plugin_(options_.pluginPath, options_.serverDir, "Packsentinel",
              PluginInfoBeside(options_.shippedConfig)) {
  framework::SetCurrentDir(options_.serverDir);
  fs::create_directories(plugin_.PluginDir());
  game_->SetLabelListener([this](const game::SentLabel& label) { RecordLabel(label); });
}

DevServer::~DevServer() { Shutdown(); }

void DevServer::Shutdown() { plugin_.Unload(); }

std::string DevServer::ConfigPath() const {
  return (fs::path(plugin_.PluginDir()) / "config.json").string();
}

void DevServer::Execute(std::string_view line, std::ostream& answers) {
  // What the line did is told before the answer or the error that ends it.
  try {
    if (configBlockEnd_) {
      if (line == *configBlockEnd_) {
        WriteConfig(configBlock_);
        configBlockEnd_.reset();
        configBlock_.clear();
        Confirm(answers, "config.json written");
      } else {
        configBlock_.append(line).append("\n");
      }
    } else {
      const auto first = line.find_first_not_of(' ');
      if (first != std::string_view::npos && line[first] != '#') {
        // Chat, console and RCON text is the player's, never parsed as scenario words.
        auto head = SplitWords(line, 2);
        const std::string command = head[0].text;
        if (command == "chat" && head.size() == 2 && head[1].text.starts_with("mode=")) {
          head = SplitWords(line, 3);
        }
        const bool freeText = command == "chat" || command == "console" || command == "rcon";
        Run(freeText ? head : SplitWords(line), line, answers);
      }
    }
  } catch (...) {
    EndLine();
    throw;
  }
  EndLine();
}

void DevServer::EndLine() {
  ReportRefreshes();
  if (lineEndListener_) lineEndListener_();
}

void DevServer::Confirm(std::ostream& answers, std::string_view text) const {
  if (confirming_) answers << text << "\n";
}

void DevServer::Run(const std::vector<Word>& words, std::string_view line, std::ostream& answers) {
  const std::string& command = words[0].text;
  if (command == "config" || command.starts_with("config-")) {
    RunConfigCommand(words, line, answers);
  } else if (command == "default-world") {
    ExpectNothingMore(words);
    SpawnDefaultWorld();
  } else if (command == "load") {
    ExpectNothingMore(words);
    if (plugin_.IsLoaded()) throw ScenarioError("the plugin is loaded already");
    plugin_.Load();
  } else if (command == "unload") {
    ExpectNothingMore(words);
    if (!plugin_.IsLoaded()) throw ScenarioError("the plugin is not loaded");
    plugin_.Unload();
  } else if (command == "world") {
    SetWorld(words);
  } else if (command == "player") {
    AddPlayer(words);
  } else if (command == "dino") {
    AddDino(words);
  } else if (command == "dinos") {
    SpawnDinos(words);
  } else if (command == "move") {
    ExpectWords(words, 5, 5, "a name and a place: X Y Z");
    const FVector to{ParseFloat(words[2].text), ParseFloat(words[3].text),
                     ParseFloat(words[4].text)};
    if (auto* dino = game_->FindDino(words[1].text)) {
      game_->Move(dino, to);
    } else {
      auto& player = PlayerNamed(words[1].text);
      if (player.character == nullptr) {
        throw ScenarioError(Excerpt(player.name) + " has no character");
      }
      game_->Move(player.character, to);
    }
  } else if (command == "set") {
    SetFlags(words);
  } else if (command == "destroy") {
    ExpectWords(words, 2, 2, "a creature's or a player's name");
    if (auto* dino = game_->FindDino(words[1].text)) {
      game_->DestroyDino(dino);
    } else {
      game_->DestroyCharacter(PlayerNamed(words[1].text));
    }
  } else if (command == "disconnect") {
    ExpectWords(words, 2, 2, kPlayersName);
    auto& player = PlayerNamed(words[1].text);
    if (player.controller == nullptr) {
      throw ScenarioError(Excerpt(player.name) + " is not connected");
    }
    game_->Disconnect(player);
  } else if (command == "reconnect") {
    const auto what = "a player's name, then keep-old to keep his old controller";
    ExpectWords(words, 2, 3, what);
    if (words.size() == 3 && words[2].text != "keep-old") {
      throw ScenarioError(fmt::format("reconnect takes {}", what));
    }
    game_->Reconnect(PlayerNamed(words[1].text), words.size() == 3);
  } else if (command == "groups") {
    ExpectWords(words, 3, 3, "a player's name and his groups: G1,G2, or - for none");
    game_->SetGroups(PlayerNamed(words[1].text), SplitList(words[2].text));
  } else if (command == "tribe") {
    ExpectWords(words, 3, 3, "a player's name and a tribe number, or none");
    auto& player = PlayerNamed(words[1].text);
    game_->SetTribe(player, words[2].text == "none"
                                ? std::nullopt
                                : std::optional<int32>(ParseInt32(words[2].text)));
  } else if (command == "chat" || command == "console") {
    Speak(words, line, answers);
  } else if (command == "rcon") {
    if (words.size() < 2) throw ScenarioError("rcon takes TEXT");
    if (!game_->Rcon(RestAfter(line, words, 0))) {
      Confirm(answers, "rcon line: no rcon command took it");
    }
  } else if (command == "fault") {
    PlantFault(words);
  } else if (command == "forget") {
    ExpectWords(words, 2, 2, "a game name, Class.Member");
    framework::ForgetName(words[1].text);
  } else if (command == "tick") {
    ExpectWords(words, 1, 2, "a number of ticks, or nothing for one");
    Tick(words.size() == 2 ? static_cast<int>(ParseInteger(words[1].text, 0, 100000000)) : 1,
         answers);
  } else if (command == "snapshot") {
    WriteSnapshot(words, answers);
  } else if (command == "stats") {
    ExpectNothingMore(words);
    EmitStats();
  } else if (command == "who") {
    ExpectNothingMore(words);
    answers << WhoText(*game_);
  } else if (command == "labels") {
    ExpectWords(words, 2, 2, kPlayersName);
    const auto& player = PlayerNamed(words[1].text);
    const auto it = labels_.find(player.name);
    answers << (it == labels_.end() ? player.name + " has been sent no labels\n"
                                    : LabelsText(*game_, player, it->second));
  } else {
    UnknownCommand(command);
  }
}

void DevServer::RunConfigCommand(const std::vector<Word>& words, std::string_view line,
                                 std::ostream& answers) {
  const std::string& command = words[0].text;
  if (command == "config") {
    ExpectWords(words, 2, 2, "<<END, END being the line that ends the block");
    if (words[1].text.size() < 3 || words[1].text.substr(0, 2) != "<<") {
      throw ScenarioError("config takes <<END");
    }
    configBlockEnd_ = words[1].text.substr(2);
  } else if (command == "config-file") {
    ExpectWords(words, 2, 2, "the path of a file");
    CopyConfig(words[1].text);
    Confirm(answers, fmt::format("config.json copied from {}",
                                 (fs::path(options_.scriptDir) / words[1].text).string()));
  } else if (command == "config-set") {
    if (words.size() < 3) throw ScenarioError("config-set takes POINTER JSON");
    const std::string_view value = RestAfter(line, words, 1);
    ConfigSet(words[1].text, value);
    Confirm(answers,
            fmt::format("config.json: {} set to {}", Excerpt(words[1].text), Excerpt(value)));
  } else if (command == "config-remove") {
    ExpectWords(words, 2, 2, "a JSON pointer");
    ConfigRemove(words[1].text);
    Confirm(answers, fmt::format("config.json: {} removed", Excerpt(words[1].text)));
  } else if (command == "config-delete") {
    ExpectNothingMore(words);
    const bool existed = fs::exists(ConfigPath());
    DeleteConfig();
    Confirm(answers, existed ? "config.json deleted" : "there was no config.json to delete");
  } else {
    UnknownCommand(command);
  }
}

namespace {

const std::vector<std::string_view> kChatModes = {"global", "tribe", "local", "alliance"};

// In the game's order of EChatSendMode.
EChatSendMode::Type ChatModeNamed(std::string_view name) {
  const auto it = std::find(kChatModes.begin(), kChatModes.end(), name);
  if (it == kChatModes.end()) {
    throw ScenarioError(fmt::format("mode= takes global, tribe, local or alliance, not {}{}",
                                    Excerpt(name), DidYouMean(name, kChatModes)));
  }
  return static_cast<EChatSendMode::Type>(it - kChatModes.begin());
}

}  // namespace

void DevServer::Speak(const std::vector<Word>& words, std::string_view line,
                      std::ostream& answers) {
  const std::string& command = words[0].text;
  const auto mode = command == "chat" && words.size() == 3
                        ? std::optional(ChatModeNamed(*OptionValue(words[1].text, "mode")))
                        : std::nullopt;
  const std::size_t name = mode ? 2 : 1;
  if (words.size() <= name) throw ScenarioError(command + " takes NAME TEXT");
  auto* speaker = SpeakerNamed(words[name].text);
  const std::string_view text = RestAfter(line, words, name);
  const bool taken = command == "chat"
                         ? game_->Chat(speaker, text, mode.value_or(EChatSendMode::GlobalChat))
                         : game_->Console(speaker, text);
  if (!taken) {
    Confirm(answers,
            fmt::format("{} line {}: no {} command took it", command,
                        speaker ? "from " + Excerpt(speaker->name) : "with no player", command));
  }
}

void DevServer::PlantFault(const std::vector<Word>& words) {
  const auto what = "NAME throw [COUNT], or clear";
  if (words.size() == 2 && words[1].text == "clear") {
    game::Game::ClearFaults();
    return;
  }
  ExpectWords(words, 3, 4, what);
  if (words[2].text != "throw") throw ScenarioError(fmt::format("fault takes {}", what));
  const int count =
      words.size() == 4 ? static_cast<int>(ParseInteger(words[3].text, 1, INT32_MAX)) : 1;
  if (!game::Game::Fault(words[1].text, count)) {
    throw ScenarioError(fmt::format("the game has no function {}", Excerpt(words[1].text)));
  }
}

game::Player& DevServer::PlayerNamed(std::string_view name) {
  if (auto* player = game_->FindPlayer(name)) return *player;
  throw ScenarioError(fmt::format("no player named {}", Excerpt(name)));
}

game::Player* DevServer::SpeakerNamed(std::string_view name) {
  return name == "-" ? nullptr : &PlayerNamed(name);
}

void DevServer::AddPlayer(const std::vector<Word>& words) {
  if (words.size() < 2) throw ScenarioError("player takes NAME steam=U64 data=N");
  game::PlayerSpec setup;
  setup.name = words[1].text;
  bool steam = false;
  bool data = false;
  for (std::size_t i = 2; i < words.size();) {
    const std::string_view word = words[i].text;
    if (word == "at") {
      i = ReadPosition(words, i, setup.at);
      continue;
    }
    if (auto v = OptionValue(word, "steam")) {
      setup.steamId = ParseUnsigned(*v);
      steam = true;
    } else if (auto v = OptionValue(word, "data")) {
      setup.dataId = ParseInt32(*v);
      data = true;
    } else if (auto v = OptionValue(word, "tribe")) {
      setup.tribe = ParseInt32(*v);
    } else if (auto v = OptionValue(word, "team")) {
      setup.team = ParseInt32(*v);
    } else if (auto v = OptionValue(word, "groups")) {
      setup.groups = SplitList(*v);
    } else if (word == "unmapped") {
      setup.unmapped = true;
    } else {
      UnknownWord("player option", word,
                  {"steam=", "data=", "tribe=", "team=", "groups=", "at", "unmapped"});
    }
    ++i;
  }
  if (!steam || !data) throw ScenarioError("player needs steam= and data=");
  try {
    game_->AddPlayer(setup);
  } catch (const std::invalid_argument& error) {
    throw ScenarioError(error.what());
  }
}

void DevServer::AddDino(const std::vector<Word>& words) {
  if (words.size() < 3) throw ScenarioError("dino takes NAME \"Descriptive Name\"");
  game::DinoSpec setup;
  setup.name = words[1].text;
  setup.descriptiveName = words[2].text;
  for (std::size_t i = 3; i < words.size();) {
    const std::string_view word = words[i].text;
    if (word == "at") {
      i = ReadPosition(words, i, setup.at);
      continue;
    }
    if (auto v = OptionValue(word, "level")) {
      setup.level = ParseInt32(*v);
    } else if (auto v = OptionValue(word, "team")) {
      setup.team = ParseInt32(*v);
    } else {
      UnknownWord("dino option", word, {"level=", "team=", "at"});
    }
    ++i;
  }
  try {
    game_->SpawnDino(setup);
  } catch (const std::invalid_argument& error) {
    throw ScenarioError(error.what());
  }
}

// Many creatures at once, for sizing the world: nameless, spread at random (seeded) over a
// square around the origin.
void DevServer::SpawnDinos(const std::vector<Word>& words) {
  if (words.size() < 3) throw ScenarioError("dinos takes COUNT \"Descriptive Name\"");
  const auto count = ParseInteger(words[1].text, 0, 10000000);
  float spread = 400000.f;
  unsigned seed = 1;
  int32 maxLevel = 150;
  int32 team = 0;
  for (std::size_t i = 3; i < words.size(); ++i) {
    const std::string_view word = words[i].text;
    if (auto v = OptionValue(word, "spread")) {
      spread = ParseFloat(*v);
      // The distribution needs -spread <= spread, and a width (2 * spread) that a float holds.
      if (spread < 0.f || spread > kMaxSpread) {
        throw ScenarioError(
            fmt::format("spread must be from 0 to {}: {}", kMaxSpread, Excerpt(*v)));
      }
    } else if (auto v = OptionValue(word, "seed")) {
      seed = static_cast<unsigned>(ParseInteger(*v, 0, UINT32_MAX));
    } else if (auto v = OptionValue(word, "max-level")) {
      maxLevel = ParseInt32(*v);
    } else if (auto v = OptionValue(word, "team")) {
      team = ParseInt32(*v);
    } else {
      UnknownWord("dinos option", word, {"spread=", "seed=", "max-level=", "team="});
    }
  }
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> place(-spread, spread);
  std::uniform_int_distribution<int32> level(1, std::max(1, maxLevel));
  for (long long i = 0; i < count; ++i) {
    game::DinoSpec setup;
    setup.descriptiveName = words[2].text;
    setup.at = {place(random), place(random), 0.f};
    setup.level = level(random);
    setup.team = team;
    game_->SpawnDino(setup);
  }
}

void DevServer::SetFlags(const std::vector<Word>& words) {
  if (words.size() < 3) throw ScenarioError("set takes NAME FLAG...");
  if (auto* dino = game_->FindDino(words[1].text)) {
    auto& status = *dino->MyCharacterStatusComponent;
    for (std::size_t i = 2; i < words.size(); ++i) {
      const std::string_view flag = words[i].text;
      if (flag == "dead") {
        dino->SetFlag(game::APrimalCharacter::kIsDeadBit, true);
      } else if (flag == "alive") {
        dino->SetFlag(game::APrimalCharacter::kIsDeadBit, false);
        if (status.Health <= 0.f) status.Health = 100.f;
      } else if (flag == "sleeping" || flag == "awake") {
        dino->SetFlag(game::APrimalCharacter::kIsSleepingBit, flag == "sleeping");
      } else if (flag == "destroying") {
        dino->SetDestroying(true);
      } else if (auto v = OptionValue(flag, "health")) {
        status.Health = ParseFloat(*v);
      } else if (auto v = OptionValue(flag, "level")) {
        status.Level = ParseInt32(*v);
      } else if (auto v = OptionValue(flag, "team")) {
        dino->TargetingTeam = ParseInt32(*v);
      } else if (auto v = OptionValue(flag, "name")) {
        dino->DescriptiveName = FString(ArkApi::Tools::Utf8Decode(std::string(*v)));
      } else {
        UnknownWord("creature flag", flag,
                    {"dead", "alive", "sleeping", "awake", "destroying",
                     "health=", "level=", "team=", "name="});
      }
    }
    return;
  }
  auto& player = PlayerNamed(words[1].text);
  for (std::size_t i = 2; i < words.size(); ++i) {
    const std::string_view flag = words[i].text;
    if (auto v = OptionValue(flag, "team")) {
      game_->SetTeam(player, ParseInt32(*v));
    } else if (flag == "nocharacter" || flag == "character") {
      game_->SetCharacterPossessed(player, flag == "character");
    } else if (flag == "respawning" || flag == "respawned") {
      if (player.controller == nullptr) {
        throw ScenarioError(Excerpt(player.name) + " is not connected");
      }
      player.controller->SetRespawning(flag == "respawning");
    } else if (player.character == nullptr) {
      throw ScenarioError(Excerpt(player.name) + " has no character");
    } else if (flag == "dead" || flag == "alive") {
      player.character->SetFlag(game::APrimalCharacter::kIsDeadBit, flag == "dead");
      if (flag == "alive") player.character->MyCharacterStatusComponent->Health = 100.f;
    } else if (flag == "connected" || flag == "disconnected") {
      player.character->SetConnected(flag == "connected");
    } else {
      UnknownWord("player flag", flag,
                  {"dead", "alive", "respawning", "respawned", "connected", "disconnected",
                   "nocharacter", "character", "team="});
    }
  }
}

void DevServer::SetWorld(const std::vector<Word>& words) {
  auto& settings = game_->WorldSettings();
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string_view word = words[i].text;
    if (auto v = OptionValue(word, "lat_scale")) {
      settings.LatitudeScale = ParseFloat(*v);
    } else if (auto v = OptionValue(word, "lat_origin")) {
      settings.LatitudeOrigin = ParseFloat(*v);
    } else if (auto v = OptionValue(word, "lon_scale")) {
      settings.LongitudeScale = ParseFloat(*v);
    } else if (auto v = OptionValue(word, "lon_origin")) {
      settings.LongitudeOrigin = ParseFloat(*v);
    } else {
      UnknownWord("world setting", word,
                  {"lat_scale=", "lat_origin=", "lon_scale=", "lon_origin="});
    }
  }
}

void DevServer::Tick(int count, std::ostream& answers) {
  auto& events = framework::Events();
  const auto before = events.Count();
  for (int i = 0; i < count; ++i) {
    if (signals::Pending()) {
      throw Interrupted(
          fmt::format("stopped at tick {}, after {} of {} ticks", events.Tick(), i, count));
    }
    game_->Tick(1);
    ReportRefreshes();
  }
  if (events.Count() == before) {
    Confirm(answers, fmt::format("ticked {} (now at {}); nothing sent", count, events.Tick()));
  }
}

void DevServer::ReportRefreshes() {
  if (!refreshListener_ || unreported_.empty()) return;
  const ActorsByPlace actors(*game_);
  for (const auto& name : unreported_) {
    // A receiver the scenario does not know (a controller of no player) has no report.
    if (const auto* player = game_->FindPlayer(name)) {
      refreshListener_(actors, *player, labels_[name]);
    }
  }
  unreported_.clear();
  // The next label starts a new run, even for the same receiver.
  lastReceiver_ = labels_.end();
}

void DevServer::EmitStats() {
  const auto made = game_->OverlapQueriesMade();
  const auto radii = game_->TakeOverlapQueries();
  framework::Events().Emit(
      "stats", {{"live_blocks", game::LiveBlocks()}, {"overlap_queries", made}, {"radii", radii}});
}

// A refresh sends a player's labels one after another, so the last receiver's record is tried
// before the map; texts are kept as sent and only converted when a report or a map shows them.
void DevServer::RecordLabel(const game::SentLabel& label) {
  const bool sameReceiver =
      lastReceiver_ != labels_.end() && lastReceiver_->first == label.to.Handle;
  if (!sameReceiver) {
    lastReceiver_ = labels_.try_emplace(label.to.Handle).first;
    // Labels come in runs per receiver, so the list of those to report is looked at only when
    // the receiver changes.
    if (refreshListener_ &&
        std::find(unreported_.begin(), unreported_.end(), label.to.Handle) == unreported_.end()) {
      unreported_.push_back(label.to.Handle);
    }
  }
  SentLabels& sent = lastReceiver_->second;
  const std::uint64_t tick = framework::Events().Tick();
  if (sent.tick != tick) {
    sent.tick = tick;
    sent.labels.clear();
  }
  sent.labels.push_back({std::u16string(*label.text, static_cast<std::size_t>(label.text.Len())),
                         label.at, label.colour});
}

}  // namespace devserver
