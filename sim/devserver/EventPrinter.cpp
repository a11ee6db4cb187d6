#include "devserver/EventPrinter.h"

#include <cerrno>

#include "devserver/Reports.h"
#include "devserver/Signals.h"

namespace devserver {

void EventPrinter::Print(const framework::Event& event, int line) {
  if (!Writing() || (!options_.registrations && IsRegistryEvent(event))) return;
  framework::Event traced;
  if (options_.lines && line != 0) {
    traced = event;
    traced["line"] = line;
  }
  const auto& shown = traced.is_null() ? event : traced;
  if (options_.summarised && IsRegistryEvent(shown)) {
    if (!burst_.Joins(shown)) FlushBurst();
    burst_.Add(shown);
    return;
  }
  FlushBurst();
  Check(WriteEventLine(out_, options_.output, shown, options_.terminalColour));
}

void EventPrinter::PrintRefresh(const ActorsByPlace& actors, const game::Player& player,
                                const SentLabels& sent) {
  FlushBurst();
  for (auto& line : refreshes_.Add(player.name, sent.tick, RefreshSummary(actors, player, sent))) {
    WriteLine(std::move(line));
  }
}

void EventPrinter::Flush() {
  FlushBurst();
  for (auto& line : refreshes_.TakeEnds()) WriteLine(std::move(line));
}

void EventPrinter::FlushBurst() {
  if (!burst_.Empty()) WriteLine(burst_.Take());
}

void EventPrinter::WriteLine(std::string line) {
  if (Writing()) Check(WriteTextLine(out_, std::move(line)));
}

// A write that a signal cut short is no failure of the output: the command, or the run, stops
// for the signal, and what is printed until then goes with it, rather than wait on an output
// that takes nothing.
bool EventPrinter::Writing() {
  if (cutShort_ && !signals::Pending()) cutShort_ = false;
  return writeError_ == 0 && !cutShort_;
}

void EventPrinter::Check(bool written) {
  if (written) return;
  const int error = errno != 0 ? errno : EIO;
  std::clearerr(out_);
  if (error == EINTR && signals::Pending()) {
    cutShort_ = true;
  } else {
    writeError_ = error;
  }
}

}  // namespace devserver
