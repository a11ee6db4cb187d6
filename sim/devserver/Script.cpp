#include "devserver/Script.h"

#include <ios>
#include <new>

#include "devserver/Signals.h"

namespace devserver {

namespace {

// While it lives, getline lets out what stopped it instead of setting badbit alone, which the
// loop would take for the end of the script: std::bad_alloc for a line too long for memory,
// std::ios_base::failure for a read that failed.
class BadbitThrows {
 public:
  explicit BadbitThrows(std::istream& in) : in_(in), mask_(in.exceptions()) {
    in.exceptions(mask_ | std::ios::badbit);
  }
  ~BadbitThrows() { in_.exceptions(mask_); }
  BadbitThrows(const BadbitThrows&) = delete;
  BadbitThrows& operator=(const BadbitThrows&) = delete;

 private:
  std::istream& in_;
  const std::ios::iostate mask_;
};

std::string AfterLine(int number) {
  return number == 0 ? std::string() : " after line " + std::to_string(number);
}

// 1, with why, for a script a signal stopped or that left its config block open; else 0.
int StatusAtEnd(const std::string& name, int lines, const DevServer& server, std::ostream& errors) {
  if (signals::Pending()) {
    errors << name << ": stopped by " << signals::Name(signals::Ending())
           << (lines == 0 ? std::string(" before its first line") : AfterLine(lines)) << "\n";
    return 1;
  }
  if (server.InConfigBlock()) {
    errors << name << ":" << lines << ": the config block is not closed\n";
    return 1;
  }
  return 0;
}

// quit or exit, alone on its line: the end of a script or of the console.
bool IsQuit(std::string_view line) {
  // Only a quit line is split: a chat line may hold any quotes.
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  const auto word = line.substr(start, line.find(' ', start) - start);
  if (word != "quit" && word != "exit") return false;
  FindCommand(word)->ExpectWords(SplitWords(line));
  return true;
}

}  // namespace

bool RunLine(DevServer& server, std::string_view line, std::ostream& answers) {
  // A config block's lines are its text, whatever they say.
  if (!server.InConfigBlock()) {
    if (IsQuit(line)) return false;
    if (AnswerHelp(line, answers)) return true;
  }
  server.Execute(line, answers);
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
  const BadbitThrows readFailuresThrow(in);
  try {
    while (!signals::Pending() && std::getline(in, line)) {
      running = ++number;
      // A file saved on Windows: its CR would otherwise end the line's last word, unseen.
      if (!line.empty() && line.back() == '\r') line.pop_back();
      // A person reading the script's run gets answers beside the errors, not among the events.
      if (!RunLine(server, line, errors)) return ended(0);
    }
  } catch (const ScenarioError& error) {
    errors << name << ":" << number << ": " << error.what() << "\n";
    return ended(1);
  } catch (const std::bad_alloc&) {
    // getline marks the stream bad before it lets the exception out: the next line was being read.
    if (in.bad()) {
      errors << name << ":" << number + 1 << ": the line is too long to hold in memory\n";
    } else {
      errors << name << ":" << number << ": there is not enough memory to run the line\n";
    }
    return ended(1);
  } catch (const OutputFailed& error) {
    errors << "devserver: " << error.what() << "\n";
    return ended(2);
  } catch (const std::ios_base::failure& error) {
    if (!in.bad()) throw;
    errors << "devserver: can't read " << name << AfterLine(number) << ": "
           << error.code().message() << "\n";
    return ended(2);
  }
  return ended(StatusAtEnd(name, number, server, errors));
}

}  // namespace devserver
