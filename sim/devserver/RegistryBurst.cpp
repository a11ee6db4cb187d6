#include "devserver/RegistryBurst.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>

#include "devserver/EventFormat.h"
#include "devserver/Words.h"

namespace devserver {
namespace {

std::string Counted(std::size_t count, std::string_view kind) {
  const std::string noun = kind == "chat"           ? "chat command"
                           : kind == "console"      ? "console command"
                           : kind == "rcon"         ? "rcon command"
                           : kind == "tick"         ? "tick callback"
                           : kind == "timer"        ? "timer"
                           : kind == "chat_message" ? "chat-message callback"
                                                    : std::string(kind);
  return fmt::format("{} {}{}", count, noun, count == 1 ? "" : "s");
}

}  // namespace

bool RegistryBurst::Joins(const framework::Event& event) const {
  return entries_.empty() ||
         (event.value("tick", 0ull) == tick_ && event.value("line", 0) == line_);
}

void RegistryBurst::Add(const framework::Event& event) {
  const bool registered = event.value("event", "") == "registered";
  const std::string kind = event.value("kind", "");
  const std::string name = event.value("name", "");
  if (entries_.empty()) {
    tick_ = event.value("tick", 0ull);
    line_ = event.value("line", 0);
  }
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return entry.kind == kind && entry.name == name;
  });
  if (it == entries_.end()) {
    entries_.push_back({kind, name, registered, registered});
  } else {
    it->registeredLast = registered;
  }
}

std::string RegistryBurst::Take() {
  struct Outcome {
    const char* verb;
    bool registeredFirst;
    bool registeredLast;
  };
  static constexpr Outcome kOutcomes[] = {{"re-registered", false, true},
                                          {"registered", true, true},
                                          {"unregistered", false, false},
                                          {"registered and unregistered", true, false}};
  std::vector<std::string> parts;
  for (const auto& outcome : kOutcomes) {
    std::vector<std::string> kinds, names;
    std::vector<std::size_t> counts;
    for (const auto& entry : entries_) {
      if (entry.registeredFirst != outcome.registeredFirst ||
          entry.registeredLast != outcome.registeredLast) {
        continue;
      }
      names.push_back(Excerpt(entry.name, SIZE_MAX));
      const auto kind = std::find(kinds.begin(), kinds.end(), entry.kind);
      if (kind == kinds.end()) {
        kinds.push_back(entry.kind);
        counts.push_back(1);
      } else {
        ++counts[static_cast<std::size_t>(kind - kinds.begin())];
      }
    }
    if (names.empty()) continue;
    std::vector<std::string> counted;
    for (std::size_t i = 0; i < kinds.size(); ++i) counted.push_back(Counted(counts[i], kinds[i]));
    parts.push_back(
        fmt::format("{} {}: {}", outcome.verb, fmt::join(counted, ", "), fmt::join(names, ", ")));
  }
  const std::string line = line_ == 0 ? "" : fmt::format("line={} ", line_);
  const std::string out =
      TextLine(tick_, "registry", line + fmt::format("{}", fmt::join(parts, "; ")));
  entries_.clear();
  return out;
}

}  // namespace devserver
