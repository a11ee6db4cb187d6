#include "devserver/Console.h"

#include <fmt/format.h>
#include <poll.h>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "devserver/Files.h"
#include "devserver/Script.h"
#include "devserver/Signals.h"
#include "framework/Events.h"

namespace devserver {
namespace {

// None without HOME, or where something other than a file stands, which is left alone: reading
// or writing a FIFO there would wait for another program.
std::string HistoryPath() {
  const char* home = std::getenv("HOME");
  if (home == nullptr) return {};
  const auto path = std::filesystem::path(home) / ".devserver_history";
  try {
    ExpectFileOrNothing(path, path.string());
  } catch (const ScenarioError& error) {
    std::cerr << "devserver: no history kept: " << error.what() << "\n";
    return {};
  }
  return path.string();
}

// readline hands a finished line to a callback. The console runs it once readline has let go of
// the terminal, so that what the line prints comes before the next prompt, and Ctrl-C reaches
// the command as a signal.
std::optional<std::string> finishedLine;
bool inputEnded = false;

// readline reads on while keys are waiting; it stops at a signal, so that the keys typed after a
// Ctrl-C go to the line after it.
int KeysWaiting() {
  if (signals::Pending()) return 0;
  pollfd ready{STDIN_FILENO, POLLIN, 0};
  return poll(&ready, 1, 0) > 0 ? 1 : 0;
}

void Finish(char* line) {
  rl_callback_handler_remove();
  if (line == nullptr) {
    inputEnded = true;
    return;
  }
  finishedLine = line;
  std::free(line);
}

class Console {
 public:
  explicit Console(DevServer& server) : server_(server) {}

  int Run() {
    while (const auto line = ReadLine()) {
      if (!line->empty() && !server_.InConfigBlock()) add_history(line->c_str());
      secondCtrlCEnds_ = false;
      try {
        if (!RunLine(server_, *line, std::cout)) break;
      } catch (const OutputFailed& error) {
        std::cerr << "devserver: " << error.what() << "\n";
        return 2;
      } catch (const Interrupted& stop) {
        std::cout << stop.what() << "\n";
        secondCtrlCEnds_ = true;
      } catch (const ScenarioError& error) {
        std::cout << "error: " << error.what() << "\n";
      }
      // A Ctrl-C during a command that ended by itself has nothing left to stop.
      signals::TakeCtrlC();
    }
    return 0;
  }

 private:
  std::string Prompt() const {
    return server_.InConfigBlock() ? "...> "
                                   : fmt::format("[{}] devserver> ", framework::Events().Tick());
  }

  // The next line typed; none once the session ends: Ctrl-D, SIGTERM or SIGHUP, or Ctrl-C twice.
  std::optional<std::string> ReadLine() {
    std::cout.flush();
    finishedLine.reset();
    inputEnded = false;
    rl_callback_handler_install(Prompt().c_str(), Finish);
    while (!finishedLine && !inputEnded) {
      // Signals first: a Ctrl-C applies to the line as it was when it was typed.
      if ((signals::TakeCtrlC() && CtrlCEnds()) || signals::Terminating()) {
        rl_callback_handler_remove();
        inputEnded = true;
        break;
      }
      pollfd ready[2] = {{STDIN_FILENO, POLLIN, 0}, {signals::WakeFd(), POLLIN, 0}};
      if (poll(ready, 2, -1) < 0) {
        if (errno == EINTR) continue;
        rl_callback_handler_remove();
        inputEnded = true;
        break;
      }
      if (ready[1].revents != 0) signals::Drain();
      // A signal may come as the keys typed after it become readable: it is seen first.
      if (!signals::Pending() && ready[0].revents != 0) rl_callback_read_char();
    }
    if (inputEnded) {
      // The shell's prompt then starts a line of its own.
      std::cout << "\n";
      return std::nullopt;
    }
    return finishedLine;
  }

  // Ctrl-C at the prompt drops what was typed. At an empty prompt, the one after another Ctrl-C
  // (or after one that stopped a command) ends the session; the first says so.
  bool CtrlCEnds() {
    const bool typed = rl_end > 0;
    if (!typed && secondCtrlCEnds_) return true;
    std::cout << "^C\n";
    if (!typed) std::cout << "(Ctrl-C again to end the server, as quit and Ctrl-D do)\n";
    std::cout.flush();
    secondCtrlCEnds_ = !typed;
    rl_replace_line("", 0);
    rl_on_new_line();
    rl_redisplay();
    return false;
  }

  DevServer& server_;
  bool secondCtrlCEnds_ = false;
};

}  // namespace

int RunConsole(DevServer& server) {
  const std::string history = HistoryPath();
  if (!history.empty()) read_history(history.c_str());
  std::cout << "Packsentinel devserver. Type help for the commands; Ctrl-C stops a running "
               "command; quit (or Ctrl-D) stops the server.\n";
  // The console's own handlers see Ctrl-C and the signals that end the server.
  rl_catch_signals = 0;
  rl_input_available_hook = KeysWaiting;
  const int status = Console(server).Run();
  if (!history.empty()) write_history(history.c_str());
  return status;
}

}  // namespace devserver
