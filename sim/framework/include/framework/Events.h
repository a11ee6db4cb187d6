#pragma once

// Everything observable that the server does is an event: what players are sent, log lines,
// registrations, handler errors, plugin loading. Each carries its kind and the tick number.

#include <API/Base.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

namespace framework {

using Event = nlohmann::ordered_json;

class ARK_API EventLog {
 public:
  // Recording builds every event; counting only counts them, so benchmarks measure the
  // plugin rather than the stand-in's bookkeeping.
  enum class Mode { Record, Count };

  void SetMode(Mode mode) { mode_ = mode; }
  // Kinds that are counted but not built, for a reader who shows them some other way.
  void SetUnbuilt(std::vector<std::string_view> kinds) { unbuilt_ = std::move(kinds); }
  bool Recording() const { return mode_ == Mode::Record; }

  // Called for each event as it happens.
  void SetListener(std::function<void(const Event&)> listener) { listener_ = std::move(listener); }
  void SetRetain(bool retain) { retain_ = retain; }

  // fields: an object whose members follow "event" and "tick".
  void Emit(std::string_view kind, Event fields) {
    ++count_;
    if (Builds(kind)) Publish(kind, std::move(fields));
  }
  // For output calls on hot paths: the fields are only built when events are recorded.
  template <typename MakeFields>
  void EmitWith(std::string_view kind, MakeFields&& makeFields) {
    ++count_;
    if (Builds(kind)) Publish(kind, makeFields());
  }

  const std::vector<Event>& Retained() const { return retained_; }
  void ClearRetained() { retained_.clear(); }
  std::uint64_t Count() const { return count_; }

  // The tick being run, or the last one run between ticks.
  std::uint64_t Tick() const { return tick_; }
  void SetTick(std::uint64_t tick) { tick_ = tick; }

 private:
  bool Builds(std::string_view kind) const {
    return Recording() && std::find(unbuilt_.begin(), unbuilt_.end(), kind) == unbuilt_.end();
  }
  void Publish(std::string_view kind, Event fields);

  Mode mode_ = Mode::Record;
  std::vector<std::string_view> unbuilt_;
  bool retain_ = false;
  std::function<void(const Event&)> listener_;
  std::vector<Event> retained_;
  std::uint64_t count_ = 0;
  std::uint64_t tick_ = 0;
};

ARK_API EventLog& Events();

}  // namespace framework
