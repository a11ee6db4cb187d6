#pragma once

// A game server with the plugin, driven one scenario line at a time.

#include <cstdint>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "devserver/PluginLoader.h"
#include "devserver/Words.h"
#include "devserver/WorldView.h"
#include "framework/Events.h"
#include "game/Game.h"

namespace devserver {

struct ServerOptions {
  std::string serverDir;      // what GetCurrentDir returns
  std::string pluginPath;     // the built plugin library
  std::string shippedConfig;  // the config.json the default world uses
  std::string scriptDir;      // where config-file paths start
};

class DevServer;
struct Command;

// One line of a command, as its handler reads it.
struct CommandLine {
  const Command& command;
  const std::vector<Word>& words;  // the command's name first
  std::string_view text;           // the whole line, for what a person typed verbatim
  std::ostream& answers;
};

// A command as a person meets it: help, and the words a line of it may have, its name counted.
struct CommandUsage {
  std::string_view section;  // help's heading
  std::string_view name;
  std::string_view arguments;  // help's usage after the name
  std::string description;     // lines after the first continue below it
  std::string_view example;    // a line each
  std::size_t minWords;
  std::size_t maxWords;
  std::string_view takes;  // "tick takes a number of ticks, or nothing for one"
  // Words split off the line; what follows them is a person's own text, any quotes and all.
  std::size_t splitWords = SIZE_MAX;
};

struct Command : CommandUsage {
  // None for help, quit and exit: the script and the console answer them before the server.
  void (*run)(DevServer&, const CommandLine&);

  // Refuses a line of too few or too many words with what the command takes.
  void ExpectWords(const std::vector<Word>& words) const {
    if (words.size() < minWords || words.size() > maxWords) RefuseWords();
  }
  [[noreturn]] void RefuseWords() const {
    throw ScenarioError(std::string(name) + " takes " + std::string(takes));
  }
};

// None for a name no command has.
const Command* FindCommand(std::string_view name);
// Every command's name, as help lists them.
std::vector<std::string_view> CommandNames();

class DevServer {
 public:
  explicit DevServer(ServerOptions options);
  ~DevServer();

  // Runs one line. Throws ScenarioError for a line that cannot be run, Interrupted for a tick
  // that a signal stopped. A `config <<END` line opens a block that the following lines fill
  // until END. Commands that answer a person (who, labels, snapshot) write to answers, never
  // among the events.
  void Execute(std::string_view line, std::ostream& answers = std::cerr);
  bool InConfigBlock() const { return configBlockEnd_.has_value(); }

  // A person at the console is told on answers what a command did that showed in no event: the
  // config edits, chat no command took, a tick that sent nothing. A script is not: its every line
  // would add one beside its errors.
  void SetConfirming(bool confirming) { confirming_ = confirming; }
  // Told after each line, run or not, for output held back until a command ends. It may throw
  // to end the run, as the tick end check does.
  void SetLineEndListener(std::function<void()> listener) {
    lineEndListener_ = std::move(listener);
  }
  // Called after each tick of a tick command: it throws to stop a long run, as when its events
  // can no longer be written.
  void SetTickEndCheck(std::function<void()> check) { tickEndCheck_ = std::move(check); }

  void SpawnDefaultWorld();
  // Ends the run as a server shutting down: the plugin is unloaded.
  void Shutdown();

  game::Game& Game() { return *game_; }
  PluginLoader& Plugin() { return plugin_; }
  std::string ConfigPath() const;

  // Told of each player sent labels, once a tick when labels were sent in it (or once a line
  // for labels sent outside ticks), after all of them; none to stop. The actors are placed once
  // for all the players of one report.
  using RefreshListener =
      std::function<void(const ActorsByPlace&, const game::Player&, const SentLabels&)>;
  void SetRefreshListener(RefreshListener listener) { refreshListener_ = std::move(listener); }

  // Every command, in help's order, with what runs it.
  static const std::vector<Command> kCommands;

 private:
  void Run(std::string_view line, std::ostream& answers);
  // chat and console.
  void Speak(const CommandLine& line);
  void EndLine();
  void Confirm(std::ostream& answers, std::string_view text) const;
  void AddPlayer(const std::vector<Word>& words);
  void AddDino(const std::vector<Word>& words);
  void SpawnDinos(const std::vector<Word>& words);
  void SetCreatureFlags(game::APrimalDinoCharacter& dino, const std::vector<Word>& words);
  void SetPlayerFlags(game::Player& player, const std::vector<Word>& words);
  void SetWorld(const std::vector<Word>& words);
  void WriteSnapshot(const CommandLine& line);
  // Stops at a tick's end once a signal came.
  void Tick(const CommandLine& line);
  // Keeps the labels each player was sent at the last tick he was sent any.
  void RecordLabel(const game::SentLabel& label);
  // Tells the refresh listener of the labels sent since the last report.
  void ReportRefreshes();

  game::Player& PlayerNamed(std::string_view name);
  // A creature, else a player's character.
  game::AActor& ActorNamed(std::string_view name);
  static game::AShooterCharacter& CharacterOf(const game::Player& player);
  static void ExpectConnected(const game::Player& player);

  // config.json written from text, and the commands that copy it from a file relative to the
  // script, edit it or delete it. Where something other than a regular file stands, nothing is
  // read, written or deleted.
  void WriteConfig(const std::string& text);
  void CopyConfig(const CommandLine& line);
  void DeleteConfig(const CommandLine& line);
  void ConfigSet(const CommandLine& line);
  void ConfigRemove(const CommandLine& line);

  ServerOptions options_;
  std::unique_ptr<game::Game> game_;
  PluginLoader plugin_;
  std::optional<std::string> configBlockEnd_;
  std::string configBlock_;

  std::map<std::string, SentLabels, std::less<>> labels_;
  decltype(labels_)::iterator lastReceiver_ = labels_.end();
  RefreshListener refreshListener_;
  std::vector<std::string> unreported_;  // receivers sent labels since the last report

  bool confirming_ = false;
  std::function<void()> lineEndListener_;
  std::function<void()> tickEndCheck_;
};

// The place X Y Z written in words[first] to words[first + 2].
FVector ParsePlace(const std::vector<Word>& words, std::size_t first);

// Lines a person can type, for `help`.
std::string HelpText();

// Answers a `help` or `help COMMAND` line on out and returns true; any other line is left to
// the server. A command nobody knows is a ScenarioError.
bool AnswerHelp(std::string_view line, std::ostream& out);

}  // namespace devserver
