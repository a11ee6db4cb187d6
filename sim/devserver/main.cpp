// devserver [SCRIPT|-] [--events text|jsonl|none] [--verbose] [--lines] [--no-registrations]
//           [--dir DIR] [--plugin PATH] [--no-default-world]

#include <fmt/format.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "devserver/Console.h"
#include "devserver/DevServer.h"
#include "devserver/EventPrinter.h"
#include "devserver/Script.h"
#include "devserver/Signals.h"
#include "devserver/Words.h"
#include "framework/Server.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: devserver [SCRIPT|-] [--events text|jsonl|none] [--verbose] [--lines] "
    "[--no-registrations] [--dir DIR] [--plugin PATH] [--no-default-world]\n";

constexpr const char* kOptions = R"(
A stand-in game server with the plugin loaded.
  (no SCRIPT)          the default world, plugin loaded: a console at a terminal, otherwise
                       the commands read from standard input
  SCRIPT               a scenario file, run from an empty world; - reads it from standard input
  --events text        every event as a line for a person (the default); a label refresh
                       prints one line a player: how many labels of each kind and colour,
                       a refresh repeating a player's last counted rather than printed, and
                       a burst of registrations one line
  --verbose            with --events text: every label and registration on its own line
  --events jsonl       every event as one JSON object a line
  --events none        no events printed, for timing whole runs
  --lines              each event a script line caused names it: "line" in its fields
  --no-registrations   leaves out the registered and unregistered events
  --dir DIR            the server's folder (default: a temporary one, removed at exit)
  --plugin PATH        the plugin library to load
  --no-default-world   the console starts from an empty world
  --help               this text
Exit status: 0 the scenario ran to its end, 1 a line could not be run (or held in memory),
2 a usage error, a server folder devserver cannot use or a script it cannot read, 3 the server
crashed (server_crash: an exception left a plugin's handler, or a plugin called a game function
the game does not have); as a real server, it ends there, unloading nothing.

Commands (help COMMAND at the console or in a script tells one):
)";

struct Arguments {
  std::optional<std::string> script;
  devserver::EventOutput output = devserver::EventOutput::Text;
  std::optional<std::string> dir;
  std::string plugin = DEVSERVER_DEFAULT_PLUGIN;
  bool defaultWorld = true;
  bool verbose = false;
  bool lines = false;
  bool registrations = true;
};

// A command line devserver cannot run, and why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

const std::vector<std::string_view> kOptionNames = {"--events",           "--verbose", "--lines",
                                                    "--no-registrations", "--dir",     "--plugin",
                                                    "--no-default-world", "--help"};

devserver::EventOutput EventOutputNamed(std::string_view value) {
  if (value == "text") return devserver::EventOutput::Text;
  if (value == "jsonl") return devserver::EventOutput::JsonLines;
  if (value == "none") return devserver::EventOutput::None;
  throw UsageError(fmt::format("--events takes text, jsonl or none, not {}{}", value,
                               devserver::DidYouMean(value, {"text", "jsonl", "none"})));
}

Arguments Parse(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    // An option's value, which must follow it.
    const auto value = [&](std::string_view what) -> std::string {
      if (i + 1 >= argc) throw UsageError(fmt::format("{} takes {}", argument, what));
      return argv[++i];
    };
    if (argument == "--events") {
      arguments.output = EventOutputNamed(value("text, jsonl or none"));
    } else if (argument == "--dir") {
      arguments.dir = value("a folder");
    } else if (argument == "--plugin") {
      arguments.plugin = value("the plugin library's path");
    } else if (argument == "--no-default-world") {
      arguments.defaultWorld = false;
    } else if (argument == "--verbose") {
      arguments.verbose = true;
    } else if (argument == "--lines") {
      arguments.lines = true;
    } else if (argument == "--no-registrations") {
      arguments.registrations = false;
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError(fmt::format("unknown option {}{}", argument,
                                   devserver::DidYouMean(argument, kOptionNames)));
    } else if (arguments.script) {
      throw UsageError(
          fmt::format("one script at a time: {} and {} were given", *arguments.script, argument));
    } else {
      arguments.script = argument;
    }
  }
  return arguments;
}

class ServerDir {
 public:
  explicit ServerDir(const std::optional<std::string>& dir) {
    if (dir) {
      path_ = fs::absolute(*dir).string();
      fs::create_directories(path_);
      return;
    }
    std::string pattern = (fs::temp_directory_path() / "devserver-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("can't make a server directory");
    path_ = pattern;
    temporary_ = true;
  }
  ~ServerDir() { RemoveIfTemporary(); }
  void RemoveIfTemporary() {
    std::error_code ignored;
    if (temporary_) fs::remove_all(path_, ignored);
    temporary_ = false;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool temporary_ = false;
};

// What a crash must still do, set while the server runs: the crash handler can capture nothing.
devserver::EventPrinter* printerAtCrash = nullptr;
ServerDir* dirAtCrash = nullptr;

// The events so far are printed and the temporary folder goes; the plugin stays loaded, as it
// does in a server that crashed.
void OnServerCrash() {
  if (printerAtCrash != nullptr) printerAtCrash->Flush();
  std::cout.flush();
  if (dirAtCrash != nullptr) dirAtCrash->RemoveIfTemporary();
}

// A folder devserver cannot make its server's files in: a usage error, named with why.
int FolderUnusable(const std::optional<std::string>& dir, const std::exception& error) {
  std::cerr << "devserver: can't use " << dir.value_or("a temporary folder")
            << " as the server's folder: " << error.what() << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
      std::cout << kUsage << kOptions << devserver::HelpText();
      return 0;
    }
  }
  Arguments arguments;
  try {
    arguments = Parse(argc, argv);
  } catch (const UsageError& error) {
    std::cerr << "devserver: " << error.what() << "\n" << kUsage;
    return 2;
  }
  const bool interactive = !arguments.script && isatty(STDIN_FILENO);
  std::ifstream scriptFile;
  if (arguments.script && *arguments.script != "-") {
    scriptFile.open(*arguments.script);
    if (!scriptFile) {
      std::cerr << "devserver: can't read " << *arguments.script << "\n" << kUsage;
      return 2;
    }
  }
  // Before the folder exists, so that no signal can leave it behind.
  devserver::signals::Install();

  std::optional<ServerDir> dir;
  try {
    dir.emplace(arguments.dir);
  } catch (const std::exception& error) {
    return FolderUnusable(arguments.dir, error);
  }
  const std::string scriptDir = arguments.script && *arguments.script != "-"
                                    ? fs::absolute(*arguments.script).parent_path().string()
                                    : fs::current_path().string();

  // The script line being run, for events that name it.
  int runningLine = 0;
  auto& events = framework::Events();
  // A person reads a refresh as one line a player; programs and --verbose get every label.
  const bool summarised = arguments.output == devserver::EventOutput::Text && !arguments.verbose;
  devserver::EventPrinter printer({arguments.output, summarised, arguments.registrations,
                                   arguments.lines, isatty(STDOUT_FILENO) != 0},
                                  stdout);
  if (arguments.output == devserver::EventOutput::None) {
    // Nothing is printed, so no event needs building; snapshots get their labels from the game.
    events.SetMode(framework::EventLog::Mode::Count);
  } else {
    // Summarised, labels are read from the game's record of them instead.
    if (summarised) {
      events.SetUnbuilt({std::begin(game::kLabelEventKinds), std::end(game::kLabelEventKinds)});
    }
    events.SetListener([&printer, &runningLine](const framework::Event& event) {
      printer.Print(event, runningLine);
    });
  }

  printerAtCrash = &printer;
  dirAtCrash = &*dir;
  framework::SetCrashHandler(OnServerCrash);

  int status = 0;
  std::optional<devserver::DevServer> started;
  try {
    started.emplace(devserver::ServerOptions{dir->Path(), arguments.plugin,
                                             DEVSERVER_SHIPPED_CONFIG, scriptDir});
  } catch (const std::exception& error) {
    status = FolderUnusable(arguments.dir, error);
  }
  if (started) {
    devserver::DevServer& server = *started;
    if (summarised) {
      server.SetRefreshListener([&printer](const devserver::ActorsByPlace& actors,
                                           const game::Player& player,
                                           const devserver::SentLabels& sent) {
        printer.PrintRefresh(actors, player, sent);
      });
    }
    server.SetLineEndListener([&printer] { printer.Flush(); });
    server.SetConfirming(interactive);
    devserver::signals::Stdin signalledStdin;
    std::istream standardInput(&signalledStdin);
    if (!arguments.script) {
      // A person's session: the default world with the shipped configuration, plugin loaded.
      if (arguments.defaultWorld) {
        server.SpawnDefaultWorld();
        server.Plugin().Load();
        printer.Flush();
      }
      if (interactive) {
        devserver::RunConsole(server);
      } else {
        status = devserver::RunScript(standardInput, "<stdin>", server, std::cerr, &runningLine);
      }
    } else if (*arguments.script == "-") {
      status = devserver::RunScript(standardInput, "<stdin>", server, std::cerr, &runningLine);
    } else {
      status = devserver::RunScript(scriptFile, *arguments.script, server, std::cerr, &runningLine);
    }
    server.Shutdown();
    printer.Flush();
    started.reset();
  }
  framework::SetCrashHandler(nullptr);
  events.SetListener(nullptr);
  std::cout.flush();
  dir.reset();
  if (const int signal = devserver::signals::Ending()) devserver::signals::EndWith(signal);
  return status;
}
