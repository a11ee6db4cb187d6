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

}  // namespace

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
  const BadbitThrows readFailuresThrow(in);
  try {
    while (!signals::Pending() && std::getline(in, line)) {
      running = ++number;
      // A file saved on Windows: its CR would otherwise end the line's last word, unseen.
      if (!line.empty() && line.back() == '\r') line.pop_back();
      // A person reading the script's run gets answers beside the errors, not among the events.
      if (server.InConfigBlock()) {
        server.Execute(line, errors);
      } else if (IsQuit(line)) {
        return ended(0);
      } else if (!AnswerHelp(line, errors)) {
        server.Execute(line, errors);
      }
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
  } catch (const std::ios_base::failure& error) {
    if (!in.bad()) throw;
    errors << "devserver: can't read " << name << AfterLine(number) << ": "
           << error.code().message() << "\n";
    return ended(2);
  }
  if (signals::Pending()) {
    errors << name << ": stopped by " << signals::Name(signals::Ending())
           << (number == 0 ? std::string(" before its first line") : AfterLine(number)) << "\n";
    return ended(1);
  }
  if (server.InConfigBlock()) {
    errors << name << ":" << number << ": the config block is not closed\n";
    return ended(1);
  }
  return ended(0);
}

}  // namespace devserver
