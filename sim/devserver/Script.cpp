#include "devserver/Script.h"

#include "devserver/Signals.h"

namespace devserver {

bool IsQuit(std::string_view line) {
  // Only a quit line is split: a chat line may hold any quotes.
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  const auto word = line.substr(start, line.find(' ', start) - start);
  if (word != "quit" && word != "exit") return false;
  if (SplitWords(line).size() > 1)
    throw ScenarioError(std::string(word) + " takes nothing after it");
  return true;
}

int RunScript(std::istream& in, const std::string& name, DevServer& server, std::ostream& errors,
              int* runningLine) {
  int ignored = 0;
  int& running = runningLine ? *runningLine : ignored;
  std::string line;
  int number = 0;
  const auto ended = [&](int status) {
    running = 0;
    return status;
  };
  while (!signals::Pending() && std::getline(in, line)) {
    running = ++number;
    // A file saved on Windows: its CR would otherwise end the line's last word, unseen.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A person reading the script's run gets answers beside the errors, not among the events.
    try {
      if (server.InConfigBlock()) {
        server.Execute(line, errors);
      } else if (IsQuit(line)) {
        return ended(0);
      } else if (!AnswerHelp(line, errors)) {
        server.Execute(line, errors);
      }
    } catch (const ScenarioError& error) {
      errors << name << ":" << number << ": " << error.what() << "\n";
      return ended(1);
    }
  }
  if (signals::Pending()) {
    errors << name << ": stopped by " << signals::Name(signals::Ending())
           << (number == 0 ? std::string(" before its first line")
                           : " after line " + std::to_string(number))
           << "\n";
    return ended(1);
  }
  if (server.InConfigBlock()) {
    errors << name << ":" << number << ": the config block is not closed\n";
    return ended(1);
  }
  return ended(0);
}

}  // namespace devserver
