#pragma once

// Where devserver's events go: every one as it comes for a program, and for a person in text,
// with a refresh summed up a line a player, repeated refreshes counted, and a burst of
// registrations summed up in one line. What is held back prints at the end of each command.

#include <cstdio>

#include "devserver/EventFormat.h"
#include "devserver/RegistryBurst.h"
#include "devserver/RepeatedRefreshes.h"
#include "devserver/WorldView.h"

namespace devserver {

struct PrintOptions {
  EventOutput output = EventOutput::Text;
  bool summarised = true;     // text for a person, not every label and registration
  bool registrations = true;  // the registry's events printed at all
  bool lines = false;         // each event names the script line that caused it
  bool terminalColour = false;
};

class EventPrinter {
 public:
  EventPrinter(PrintOptions options, std::FILE* out) : options_(options), out_(out) {}

  // line: the script line being run, 0 for none.
  void Print(const framework::Event& event, int line);
  void PrintRefresh(const ActorsByPlace& actors, const game::Player& player,
                    const SentLabels& sent);
  void Flush();

  // 0, or the error (errno) that lost a line; nothing is written after it.
  int WriteError() const { return writeError_; }

 private:
  void FlushBurst();
  void WriteLine(std::string line);
  bool Writing();
  // Keeps why a line was not written.
  void Check(bool written);

  PrintOptions options_;
  std::FILE* out_;
  int writeError_ = 0;
  bool cutShort_ = false;  // a write a signal cut short, and that signal not acted on yet
  RegistryBurst burst_;
  RepeatedRefreshes refreshes_;
};

}  // namespace devserver
