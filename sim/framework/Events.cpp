#include "framework/Events.h"

namespace framework {

void EventLog::Publish(std::string_view kind, Event fields) {
  Event event = {{"event", kind}, {"tick", tick_}};
  for (auto& [key, value] : fields.items()) event[key] = std::move(value);
  if (listener_) listener_(event);
  if (retain_) retained_.push_back(std::move(event));
}

EventLog& Events() {
  static EventLog log;
  return log;
}

}  // namespace framework
