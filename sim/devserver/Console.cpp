#include "devserver/Console.h"

#include <readline/history.h>
#include <readline/readline.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace devserver {
namespace {

std::string HistoryPath() {
  const char* home = std::getenv("HOME");
  return home ? (std::filesystem::path(home) / ".devserver_history").string() : std::string();
}

}  // namespace

void RunConsole(DevServer& server) {
  const std::string history = HistoryPath();
  if (!history.empty()) read_history(history.c_str());
  std::cout << "Packsentinel devserver. Type help for the commands, quit to stop.\n";
  while (true) {
    std::unique_ptr<char, decltype(&std::free)> input(
        readline(server.InConfigBlock() ? "...> " : "devserver> "), &std::free);
    if (!input) break;
    const std::string line = input.get();
    if (!line.empty() && !server.InConfigBlock()) add_history(line.c_str());
    if (line == "quit" || line == "exit") break;
    try {
      if (server.InConfigBlock() || !AnswerHelp(line, std::cout)) server.Execute(line);
    } catch (const ScenarioError& error) {
      std::cout << "error: " << error.what() << "\n";
    }
  }
  if (!history.empty()) write_history(history.c_str());
}

}  // namespace devserver
