#include "devserver/Console.h"

#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace devserver {
namespace {

// Ctrl-C drops the line being typed and prompts again, as a shell does, instead of ending the
// server without unloading the plugin or removing its temporary folder.
void DropTypedLine(int) {
  if (write(STDOUT_FILENO, "\n", 1) < 0) return;
  rl_on_new_line();
  rl_replace_line("", 0);
  rl_redisplay();
}

std::string HistoryPath() {
  const char* home = std::getenv("HOME");
  return home ? (std::filesystem::path(home) / ".devserver_history").string() : std::string();
}

}  // namespace

void RunConsole(DevServer& server) {
  const std::string history = HistoryPath();
  if (!history.empty()) read_history(history.c_str());
  std::cout << "Packsentinel devserver. Type help for the commands, quit (or Ctrl-D) to stop.\n";
  const auto previous = std::signal(SIGINT, DropTypedLine);
  while (true) {
    std::unique_ptr<char, decltype(&std::free)> input(
        readline(server.InConfigBlock() ? "...> " : "devserver> "), &std::free);
    if (!input) break;
    const std::string line = input.get();
    if (!line.empty() && !server.InConfigBlock()) add_history(line.c_str());
    if (line == "quit" || line == "exit") break;
    try {
      if (server.InConfigBlock() || !AnswerHelp(line, std::cout)) server.Execute(line, std::cout);
    } catch (const ScenarioError& error) {
      std::cout << "error: " << error.what() << "\n";
    }
  }
  std::signal(SIGINT, previous);
  if (!history.empty()) write_history(history.c_str());
}

}  // namespace devserver
