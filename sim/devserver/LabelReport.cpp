#include <fmt/format.h>

#include <algorithm>
#include <vector>

#include "devserver/EventFormat.h"
#include "devserver/Reports.h"
#include "devserver/Words.h"
#include "framework/Events.h"

namespace devserver {
namespace {

std::string Over(const LabelTarget& target, const game::Player& receiver) {
  const std::string kind = TargetKind(target, receiver);
  if (target.player) return fmt::format("over {} {}", kind, target.player->name);
  if (target.dino) {
    return fmt::format("over {} {} ({})", kind, target.dino->Handle,
                       Excerpt(target.dino->DescriptiveName.ToString(), SIZE_MAX));
  }
  return "over nothing";
}

const char* ChannelName(game::LabelChannel channel) {
  return channel == game::LabelChannel::DebugString ? "debug string" : "floating text";
}

}  // namespace

std::string LabelsText(const game::Game& game, const game::Player& receiver,
                       const SentLabels& sent) {
  const std::size_t count = sent.labels.size();
  // Labels stay as last sent however long ago that was, so their age is told.
  const std::uint64_t now = framework::Events().Tick();
  const std::string age = now == sent.tick
                              ? std::string("this tick")
                              : fmt::format("{} ticks ago (now at tick {})", now - sent.tick, now);
  std::string out = fmt::format("{}: {} label{} sent at tick {}, {}\n", receiver.name, count,
                                count == 1 ? "" : "s", sent.tick, age);
  const ActorsByPlace actors(game);
  for (const auto& label : sent.labels) {
    out += fmt::format("  {} {} {} at {} {} {}\n", ColourText(label.colour.Shown()),
                       ChannelName(label.colour.channel), Over(actors.Under(label.at), receiver),
                       label.at.X, label.at.Y, label.at.Z);
    for (const auto& line : PrintableLines(label.Utf8Text())) out += "    " + line + "\n";
  }
  return out;
}

void CountLabelKinds(const ActorsByPlace& actors, const game::Player& receiver,
                     const std::vector<Label>& labels, std::vector<LabelKindCount>& counts) {
  for (const auto& label : labels) {
    const std::string kind = TargetKind(actors.Under(label.at), receiver);
    const FColor shown = label.colour.Shown();
    const std::uint32_t colour = shown.ToPackedARGB();
    // A handful of kinds at most, so a walk finds one soonest.
    const auto it = std::find_if(counts.begin(), counts.end(), [&](const LabelKindCount& count) {
      return count.kind == kind && count.colour.ToPackedARGB() == colour;
    });
    if (it == counts.end()) {
      counts.push_back({kind, shown, 1});
    } else {
      ++it->count;
    }
  }
}

std::string RefreshSummary(const ActorsByPlace& actors, const game::Player& receiver,
                           const SentLabels& sent) {
  std::vector<LabelKindCount> counts;
  CountLabelKinds(actors, receiver, sent.labels, counts);
  const std::size_t total = sent.labels.size();
  std::string out = fmt::format("{} label{}", total, total == 1 ? "" : "s");
  const char* separator = ": ";
  for (const auto& count : counts) {
    out += fmt::format("{}{} {} {}", separator, count.count, count.kind, ColourText(count.colour));
    separator = ", ";
  }
  return out;
}

}  // namespace devserver
