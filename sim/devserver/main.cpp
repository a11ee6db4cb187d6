// devserver [SCRIPT|-] [--events text|jsonl|none] [--verbose] [--lines] [--no-registrations]
//           [--dir DIR] [--plugin PATH] [--no-default-world]

#include <fmt/format.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
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
2 a usage error, a server folder devserver cannot use, a script or standard input it cannot
read, or events it cannot write, 3 the server crashed (server_crash: an exception left a
plugin's handler, a plugin called a game function the game does not have or a member function
on no object, or the process faulted); as a real server, it ends there, unloading nothing.

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

#ifdef _WIN32
// devserver.exe has no console (it needs readline): what a person types is read as a script.
bool AtTerminal(int /*fd*/) { return false; }

// A new folder under the temporary one: the first name no other devserver has taken.
std::string MakeTemporaryDir() {
  for (unsigned attempt = 0;; ++attempt) {
    const fs::path path =
        fs::temp_directory_path() / fmt::format("devserver-{}-{}", _getpid(), attempt);
    if (fs::create_directory(path)) return path.string();
  }
}
#else
bool AtTerminal(int fd) { return isatty(fd) != 0; }

std::string MakeTemporaryDir() {
  std::string pattern = (fs::temp_directory_path() / "devserver-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("can't make a server directory");
  return pattern;
}
#endif

class ServerDir {
 public:
  explicit ServerDir(const std::optional<std::string>& dir) {
    if (dir) {
      path_ = fs::absolute(*dir).string();
      fs::create_directories(path_);
      return;
    }
    path_ = MakeTemporaryDir();
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

// Events printed as the arguments say, naming the script line that caused them.
void PrintEvents(devserver::EventPrinter& printer, const Arguments& arguments, bool summarised,
                 const int& runningLine) {
  auto& events = framework::Events();
  if (arguments.output == devserver::EventOutput::None) {
    // Nothing is printed, so no event needs building; snapshots get their labels from the game.
    events.SetMode(framework::EventLog::Mode::Count);
    return;
  }
  // Summarised, labels are read from the game's record of them instead.
  if (summarised) {
    events.SetUnbuilt({std::begin(game::kLabelEventKinds), std::end(game::kLabelEventKinds)});
  }
  events.SetListener([&printer, &runningLine](const framework::Event& event) {
    printer.Print(event, runningLine);
  });
}

// Events that could not be written end the run where it is: nothing it does after can be seen.
void ExpectWritten(const devserver::EventPrinter& printer) {
  if (const int error = printer.WriteError()) {
    throw devserver::OutputFailed(error, std::generic_category(), "can't write the events");
  }
}

// A refresh printed as a line a player when summarised; what a line held back, printed as it ends.
void PrintServerOutput(devserver::DevServer& server, devserver::EventPrinter& printer,
                       bool summarised) {
  if (summarised) {
    server.SetRefreshListener([&printer](const devserver::ActorsByPlace& actors,
                                         const game::Player& player,
                                         const devserver::SentLabels& sent) {
      printer.PrintRefresh(actors, player, sent);
    });
  }
  server.SetLineEndListener([&printer] {
    printer.Flush();
    ExpectWritten(printer);
  });
  server.SetTickEndCheck([&printer] { ExpectWritten(printer); });
}

// The console or the script, on a server started in dir: the exit status.
int RunServer(const Arguments& arguments, const ServerDir& dir, std::ifstream& scriptFile,
              devserver::EventPrinter& printer, bool summarised, int& runningLine) {
  const bool fromFile = arguments.script && *arguments.script != "-";
  const std::string scriptDir = fromFile ? fs::absolute(*arguments.script).parent_path().string()
                                         : fs::current_path().string();
  std::optional<devserver::DevServer> started;
  try {
    started.emplace(devserver::ServerOptions{dir.Path(), arguments.plugin, DEVSERVER_SHIPPED_CONFIG,
                                             scriptDir});
  } catch (const std::exception& error) {
    return FolderUnusable(arguments.dir, error);
  }
  devserver::DevServer& server = *started;
  PrintServerOutput(server, printer, summarised);
  const bool interactive = !arguments.script && AtTerminal(0);
  server.SetConfirming(interactive);
  devserver::signals::Stdin signalledStdin;
  std::istream standardInput(&signalledStdin);
  int status = 0;
  // A person's session: the default world with the shipped configuration, plugin loaded.
  if (!arguments.script && arguments.defaultWorld) {
    server.SpawnDefaultWorld();
    server.Plugin().Load();
    printer.Flush();
  }
  if (interactive) {
#ifndef _WIN32  // never at a terminal there
    status = devserver::RunConsole(server);
#endif
  } else {
    status = devserver::RunScript(fromFile ? scriptFile : standardInput,
                                  fromFile ? *arguments.script : "<stdin>", server, std::cerr,
                                  &runningLine);
  }
  server.Shutdown();
  printer.Flush();
  return status;
}

// 0, or why standard output lost what was written to it: the events, the last of them the
// unload's, and the console's answers.
int OutputError(const devserver::EventPrinter& printer) {
  if (const int error = printer.WriteError()) return error;
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  return errno != 0 ? errno : EIO;
}

// Everything after the command line is read: the server's folder, its events and its run.
int Serve(const Arguments& arguments, std::ifstream& scriptFile) {
  // Before the folder exists, so that no signal can leave it behind.
  devserver::signals::Install();
  std::optional<ServerDir> dir;
  try {
    dir.emplace(arguments.dir);
  } catch (const std::exception& error) {
    return FolderUnusable(arguments.dir, error);
  }
  // The script line being run, for events that name it.
  int runningLine = 0;
  // A person reads a refresh as one line a player; programs and --verbose get every label.
  const bool summarised = arguments.output == devserver::EventOutput::Text && !arguments.verbose;
  devserver::EventPrinter printer(
      {arguments.output, summarised, arguments.registrations, arguments.lines, AtTerminal(1)},
      stdout);
  PrintEvents(printer, arguments, summarised, runningLine);
  printerAtCrash = &printer;
  dirAtCrash = &*dir;
  framework::SetCrashHandler(OnServerCrash);
  devserver::signals::InstallCrashReport();
  int status = RunServer(arguments, *dir, scriptFile, printer, summarised, runningLine);
  framework::SetCrashHandler(nullptr);
  framework::Events().SetListener(nullptr);
  // A run whose output was lost has not succeeded; one that failed has said why already.
  if (const int error = OutputError(printer); error != 0 && status == 0) {
    std::cerr << "devserver: can't write the events: " << std::generic_category().message(error)
              << "\n";
    status = 2;
  }
  dir.reset();
  if (const int signal = devserver::signals::Ending()) devserver::signals::EndWith(signal);
  return status;
}

#ifndef _WIN32
// A standard stream the caller closed is opened on /dev/null, read-only, so that no file devserver
// opens (the signals' wake pipe, a script, a log) takes its number: standard input then reads as
// ended, and a write to standard output or error fails as it would on the closed one.
void KeepStandardStreamsTaken() {
  for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (fcntl(stream, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = open("/dev/null", O_RDONLY);
    if (opened >= 0 && opened != stream) {
      dup2(opened, stream);
      close(opened);
    }
  }
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Events are lines ended by \n on every system, as the programs that read them expect.
  _setmode(_fileno(stdout), _O_BINARY);
#else
  KeepStandardStreamsTaken();
#endif
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
  std::ifstream scriptFile;
  if (arguments.script && *arguments.script != "-") {
    scriptFile.open(*arguments.script);
    if (!scriptFile) {
      std::cerr << "devserver: can't read " << *arguments.script << "\n" << kUsage;
      return 2;
    }
  }
  return Serve(arguments, scriptFile);
}
