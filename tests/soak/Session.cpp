#include "soak/Session.h"

#include <fmt/format.h>

#include <string_view>

#include "game/Allocator.h"
#include "heapmeter/HeapMeter.h"

namespace soak {
namespace {

constexpr std::size_t kRecentActions = 40;
// Longer actions (whole config files, huge chat words) are cut in a report.
constexpr std::size_t kShownActionLength = 400;

bool IsWatched(std::string_view kind) {
  return kind == "debug_string" || kind == "floating_text" ||
         kind == "server_chat" || kind == "log" || kind == "plugin_loaded" ||
         kind == "plugin_failed";
}

std::string_view FirstWord(std::string_view line) {
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  const auto end = line.find(' ', start);
  return line.substr(start, end == std::string_view::npos ? end : end - start);
}

bool RunsPlugin(std::string_view line) {
  const auto word = FirstWord(line);
  return word == "chat" || word == "console" || word == "tick" || word == "load" ||
         word == "unload";
}

// An action as a report prints it: control characters escaped, so that the terminal shows
// them rather than obeying them, later lines indented, and long actions cut.
std::string Shown(std::string_view action) {
  std::string shown;
  for (const char c : action.substr(0, kShownActionLength)) {
    if (c == '\n') {
      shown += "\n             ";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      shown += fmt::format("\\x{:02x}", static_cast<unsigned char>(c));
    } else {
      shown += c;
    }
  }
  if (action.size() > kShownActionLength) {
    shown += fmt::format("… ({} more bytes)", action.size() - kShownActionLength);
  }
  return shown;
}

}  // namespace

Session::Session(const std::string& pluginPath, std::uint32_t seed)
    : seed_(seed), server_({dir_.Path(), pluginPath, "", dir_.Path()}) {
  auto& events = framework::Events();
  events.SetMode(framework::EventLog::Mode::Record);
  events.SetRetain(false);
  events.SetListener([this](const framework::Event& event) {
    if (IsWatched(event["event"].get_ref<const std::string&>())) actionEvents_.push_back(event);
  });
}

Session::~Session() {
  server_.Shutdown();
  framework::Events().SetListener(nullptr);
}

void Session::Run(const std::string& action) {
  ++actions_;
  actionEvents_.clear();
  recent_.push_back(action);
  if (recent_.size() > kRecentActions) recent_.pop_front();
  std::size_t start = 0;
  while (start <= action.size()) {
    const auto end = std::min(action.find('\n', start), action.size());
    RunLine(action.substr(start, end - start));
    start = end + 1;
  }
  if (watcher_) watcher_();
}

void Session::RunLine(const std::string& line) {
  const bool pluginRuns = !server_.InConfigBlock() && RunsPlugin(line);
  const std::int64_t before = game::LiveBlocks();
  heapmeter::ResetPeak();
  const std::size_t heapBefore = heapmeter::LiveBytes();
  try {
    server_.Execute(line);
  } catch (const devserver::ScenarioError& error) {
    Fail(fmt::format("the devserver cannot run the line {:?}: {}", line, error.what()));
  }
  if (!pluginRuns) return;
  pluginBlocks_ += game::LiveBlocks() - before;
  const std::size_t heapGrowth = heapmeter::PeakBytes() - heapBefore;
  if (heapGrowth > kMostHeapPerLine) {
    Fail(fmt::format("one line took {} MiB of the heap at once", heapGrowth >> 20));
  }
  if (FirstWord(line) == "tick") {
    const auto count = line.substr(line.find("tick") + 4);
    ticks_ += count.find_first_not_of(' ') == std::string::npos ? 1 : std::stoull(count);
  }
}

void Session::Fail(const std::string& why) const { throw SoakFailure(why + "\n" + Report()); }

std::string Session::Report() const {
  std::string report = fmt::format("seed {}, action {}; the last actions:\n", seed_, actions_);
  std::uint64_t number = actions_ - recent_.size();
  for (const auto& action : recent_) {
    report += fmt::format("  {:>9}  {}\n", ++number, Shown(action));
  }
  return report;
}

}  // namespace soak
