// devserver [SCRIPT|-] [--events text|jsonl|none] [--verbose] [--lines] [--no-registrations]
//           [--dir DIR] [--plugin PATH] [--no-default-world]

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>

#include "devserver/Console.h"
#include "devserver/DevServer.h"
#include "devserver/EventFormat.h"
#include "devserver/Script.h"

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
                       prints one line a player: how many labels of each kind and colour
  --verbose            with --events text: every label on its own line instead
  --events jsonl       every event as one JSON object a line
  --events none        no events printed, for timing whole runs
  --lines              each event a script line caused names it: "line" in its fields
  --no-registrations   leaves out the registered and unregistered events
  --dir DIR            the server's folder (default: a temporary one, removed at exit)
  --plugin PATH        the plugin library to load
  --no-default-world   the console starts from an empty world
  --help               this text
Exit status: 0 the scenario ran to its end, 1 a line could not be run, 2 a usage error.

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

std::optional<Arguments> Parse(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--events" && hasValue) {
      const std::string value = argv[++i];
      if (value == "text") {
        arguments.output = devserver::EventOutput::Text;
      } else if (value == "jsonl") {
        arguments.output = devserver::EventOutput::JsonLines;
      } else if (value == "none") {
        arguments.output = devserver::EventOutput::None;
      } else {
        return std::nullopt;
      }
    } else if (argument == "--dir" && hasValue) {
      arguments.dir = argv[++i];
    } else if (argument == "--plugin" && hasValue) {
      arguments.plugin = argv[++i];
    } else if (argument == "--no-default-world") {
      arguments.defaultWorld = false;
    } else if (argument == "--verbose") {
      arguments.verbose = true;
    } else if (argument == "--lines") {
      arguments.lines = true;
    } else if (argument == "--no-registrations") {
      arguments.registrations = false;
    } else if ((argument == "-" || argument.empty() || argument[0] != '-') && !arguments.script) {
      arguments.script = argument;
    } else {
      return std::nullopt;
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
  ~ServerDir() {
    std::error_code ignored;
    if (temporary_) fs::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool temporary_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
      std::cout << kUsage << kOptions << devserver::HelpText();
      return 0;
    }
  }
  const auto arguments = Parse(argc, argv);
  if (!arguments) {
    std::cerr << kUsage;
    return 2;
  }
  const bool interactive = !arguments->script && isatty(STDIN_FILENO);
  std::ifstream scriptFile;
  if (arguments->script && *arguments->script != "-") {
    scriptFile.open(*arguments->script);
    if (!scriptFile) {
      std::cerr << "devserver: can't read " << *arguments->script << "\n" << kUsage;
      return 2;
    }
  }

  std::optional<ServerDir> dir;
  try {
    dir.emplace(arguments->dir);
  } catch (const std::exception& error) {
    std::cerr << "devserver: can't use " << arguments->dir.value_or("a temporary folder")
              << " as the server's folder: " << error.what() << "\n";
    return 2;
  }
  const std::string scriptDir = arguments->script && *arguments->script != "-"
                                    ? fs::absolute(*arguments->script).parent_path().string()
                                    : fs::current_path().string();

  // The script line being run, for events that name it.
  int runningLine = 0;
  auto& events = framework::Events();
  // A person reads a refresh as one line a player; programs and --verbose get every label.
  const bool summarised = arguments->output == devserver::EventOutput::Text && !arguments->verbose;
  if (arguments->output == devserver::EventOutput::None) {
    // Nothing is printed, so no event needs building; snapshots get their labels from the game.
    events.SetMode(framework::EventLog::Mode::Count);
  } else {
    // Summarised, labels are read from the game's record of them instead.
    if (summarised) {
      events.SetUnbuilt({std::begin(game::kLabelEventKinds), std::end(game::kLabelEventKinds)});
    }
    events.SetListener([&arguments, &runningLine](const framework::Event& event) {
      if (!arguments->registrations && devserver::IsRegistryEvent(event)) return;
      if (!arguments->lines || runningLine == 0) {
        devserver::WriteEventLine(stdout, arguments->output, event);
        return;
      }
      auto traced = event;
      traced["line"] = runningLine;
      devserver::WriteEventLine(stdout, arguments->output, traced);
    });
  }

  int status = 0;
  {
    devserver::DevServer server(
        {dir->Path(), arguments->plugin, DEVSERVER_SHIPPED_CONFIG, scriptDir});
    if (summarised) {
      server.SetRefreshListener([](const devserver::ActorsByPlace& actors,
                                   const game::Player& player, const devserver::SentLabels& sent) {
        devserver::WriteTextLine(stdout, devserver::RefreshLine(actors, player, sent));
      });
    }
    if (!arguments->script) {
      // A person's session: the default world with the shipped configuration, plugin loaded.
      if (arguments->defaultWorld) {
        server.SpawnDefaultWorld();
        server.Plugin().Load();
      }
      if (interactive) {
        devserver::RunConsole(server);
      } else {
        status = devserver::RunScript(std::cin, "<stdin>", server, std::cerr, &runningLine);
      }
    } else if (*arguments->script == "-") {
      status = devserver::RunScript(std::cin, "<stdin>", server, std::cerr, &runningLine);
    } else {
      status =
          devserver::RunScript(scriptFile, *arguments->script, server, std::cerr, &runningLine);
    }
    server.Shutdown();
  }
  events.SetListener(nullptr);
  std::cout.flush();
  return status;
}
