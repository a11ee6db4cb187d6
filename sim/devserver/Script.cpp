#include "devserver/Script.h"

namespace devserver {

int RunScript(std::istream& in, const std::string& name, DevServer& server, std::ostream& errors) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    // A file saved on Windows: its CR would otherwise end the line's last word, unseen.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      // A person reading the script's run gets answers beside the errors, not among the
      // events.
      if (server.InConfigBlock() || !AnswerHelp(line, errors)) server.Execute(line, errors);
    } catch (const ScenarioError& error) {
      errors << name << ":" << number << ": " << error.what() << "\n";
      return 1;
    }
  }
  if (server.InConfigBlock()) {
    errors << name << ":" << number << ": the config block is not closed\n";
    return 1;
  }
  return 0;
}

}  // namespace devserver
