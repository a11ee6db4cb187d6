#include "devserver/Script.h"

namespace devserver {

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
  while (std::getline(in, line)) {
    running = ++number;
    // A file saved on Windows: its CR would otherwise end the line's last word, unseen.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      // A person reading the script's run gets answers beside the errors, not among the
      // events.
      if (server.InConfigBlock() || !AnswerHelp(line, errors)) server.Execute(line, errors);
    } catch (const ScenarioError& error) {
      errors << name << ":" << number << ": " << error.what() << "\n";
      return ended(1);
    }
  }
  if (server.InConfigBlock()) {
    errors << name << ":" << number << ": the config block is not closed\n";
    return ended(1);
  }
  return ended(0);
}

}  // namespace devserver
