#include "support/EventCapture.h"

#include <algorithm>
#include <exception>

namespace bench_support {
namespace {

std::string Shown(const std::vector<framework::Event>& events, std::size_t index) {
  constexpr std::size_t kLongest = 300;
  if (index >= events.size()) return "nothing";
  std::string text = events[index].dump();
  if (text.size() > kLongest) text = text.substr(0, kLongest) + "...";
  return text;
}

}  // namespace

std::vector<framework::Event> RecordEvents(const std::function<void()>& work) {
  auto& events = framework::Events();
  events.SetMode(framework::EventLog::Mode::Record);
  events.SetRetain(true);
  events.ClearRetained();
  work();
  std::vector<framework::Event> recorded = events.Retained();
  events.SetRetain(false);
  events.ClearRetained();
  events.SetMode(framework::EventLog::Mode::Count);
  return recorded;
}

std::string DescribeDifference(const std::vector<framework::Event>& plugin,
                               const std::vector<framework::Event>& floor) {
  const auto [pluginAt, floorAt] =
      std::mismatch(plugin.begin(), plugin.end(), floor.begin(), floor.end());
  if (pluginAt == plugin.end() && floorAt == floor.end()) return {};
  const auto index = static_cast<std::size_t>(pluginAt - plugin.begin());
  return "the floor differs from the plugin at event " + std::to_string(index) + " of " +
         std::to_string(plugin.size()) + " (floor: " + std::to_string(floor.size()) + "): plugin " +
         Shown(plugin, index) + ", floor " + Shown(floor, index);
}

bool SameEvents(benchmark::State& state, const std::function<void()>& plugin,
                const std::function<void()>& floor) {
  std::vector<framework::Event> pluginEvents;
  std::vector<framework::Event> floorEvents;
  try {
    pluginEvents = RecordEvents(plugin);
    floorEvents = RecordEvents(floor);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return false;
  }
  if (pluginEvents.empty()) {
    state.SkipWithError("the plugin made no event to compare the floor with");
    return false;
  }
  const std::string difference = DescribeDifference(pluginEvents, floorEvents);
  if (!difference.empty()) state.SkipWithError(difference.c_str());
  return difference.empty();
}

std::size_t CountLabels(const std::vector<framework::Event>& events) {
  return static_cast<std::size_t>(std::count_if(events.begin(), events.end(), [](const auto& e) {
    return e["event"] == "debug_string" || e["event"] == "floating_text";
  }));
}

}  // namespace bench_support
