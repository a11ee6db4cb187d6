#include "devserver/DevServer.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>

#include "devserver/Signals.h"

namespace devserver {

namespace fs = std::filesystem;

namespace {

// The PluginInfo.json shipped beside the configuration, if any.
std::string PluginInfoBeside(const std::string& shippedConfig) {
  if (shippedConfig.empty()) return {};
  return (fs::path(shippedConfig).parent_path() / "PluginInfo.json").string();
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
      if (first != std::string_view::npos && line[first] != '#') Run(line, answers);
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

void DevServer::Run(std::string_view line, std::ostream& answers) {
  const std::string name = SplitWords(line, 1)[0].text;
  const Command* command = FindCommand(name);
  const auto words = SplitWords(line, command ? command->splitWords : SIZE_MAX);
  if (command == nullptr || command->run == nullptr) {
    throw ScenarioError(
        fmt::format("unknown command: {}{}", Excerpt(name), DidYouMean(name, CommandNames())));
  }
  command->ExpectWords(words);
  command->run(*this, {*command, words, line, answers});
}

namespace {

constexpr std::string_view kModeKey = "mode=";
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

void DevServer::Speak(const CommandLine& line) {
  const std::string_view command = line.command.name;
  // Chat's mode= comes before the NAME, which the person's text follows.
  const bool moded = command == "chat" && line.words[1].text.starts_with(kModeKey);
  const auto words = moded ? SplitWords(line.text, 3) : line.words;
  const auto mode = moded && words.size() == 3
                        ? std::optional(ChatModeNamed(words[1].text.substr(kModeKey.size())))
                        : std::nullopt;
  const std::size_t name = mode ? 2 : 1;
  // "-": no player behind the line.
  auto* speaker = words[name].text == "-" ? nullptr : &PlayerNamed(words[name].text);
  const std::string_view text = RestAfter(line.text, words, name);
  const bool taken = command == "chat"
                         ? game_->Chat(speaker, text, mode.value_or(EChatSendMode::GlobalChat))
                         : game_->Console(speaker, text);
  if (!taken) {
    Confirm(line.answers,
            fmt::format("{} line {}: no {} command took it", command,
                        speaker ? "from " + Excerpt(speaker->name) : "with no player", command));
  }
}

game::Player& DevServer::PlayerNamed(std::string_view name) {
  if (auto* player = game_->FindPlayer(name)) return *player;
  throw ScenarioError(fmt::format("no player named {}", Excerpt(name)));
}

void DevServer::Tick(const CommandLine& line) {
  const int count =
      line.words.size() == 2 ? static_cast<int>(ParseInteger(line.words[1].text, 0, 100000000)) : 1;
  auto& events = framework::Events();
  const auto before = events.Count();
  for (int i = 0; i < count; ++i) {
    if (signals::Pending()) {
      throw Interrupted(
          fmt::format("stopped at tick {}, after {} of {} ticks", events.Tick(), i, count));
    }
    game_->Tick(1);
    ReportRefreshes();
    if (tickEndCheck_) tickEndCheck_();
  }
  if (events.Count() == before) {
    Confirm(line.answers, fmt::format("ticked {} (now at {}); nothing sent", count, events.Tick()));
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
  // Copied a character at a time: the game's TCHAR is wchar_t on Windows.
  const TCHAR* text = *label.text;
  sent.labels.push_back({std::u16string(text, text + label.text.Len()), label.at, label.colour});
}

}  // namespace devserver
