#include "devserver/EventPrinter.h"

#include "devserver/Reports.h"

namespace devserver {

void EventPrinter::Print(const framework::Event& event, int line) {
  if (!options_.registrations && IsRegistryEvent(event)) return;
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
  WriteEventLine(out_, options_.output, shown, options_.terminalColour);
}

void EventPrinter::PrintRefresh(const ActorsByPlace& actors, const game::Player& player,
                                const SentLabels& sent) {
  FlushBurst();
  for (auto& line : refreshes_.Add(player.name, sent.tick, RefreshSummary(actors, player, sent))) {
    WriteTextLine(out_, std::move(line));
  }
}

void EventPrinter::Flush() {
  FlushBurst();
  for (auto& line : refreshes_.TakeEnds()) WriteTextLine(out_, std::move(line));
}

void EventPrinter::FlushBurst() {
  if (!burst_.Empty()) WriteTextLine(out_, burst_.Take());
}

}  // namespace devserver
