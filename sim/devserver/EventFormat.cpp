#include "devserver/EventFormat.h"

#include <fmt/format.h>

#include <cmath>

namespace devserver {
namespace {

void AppendJson(std::string& out, const framework::Event& value) {
  using Type = framework::Event::value_t;
  switch (value.type()) {
    case Type::number_float: {
      const auto number = static_cast<float>(value.get<double>());
      out += std::isfinite(number) ? fmt::format("{}", number) : "null";
      return;
    }
    case Type::array: {
      out += '[';
      bool first = true;
      for (const auto& item : value) {
        if (!first) out += ',';
        first = false;
        AppendJson(out, item);
      }
      out += ']';
      return;
    }
    case Type::object: {
      out += '{';
      bool first = true;
      for (const auto& [key, item] : value.items()) {
        if (!first) out += ',';
        first = false;
        AppendJson(out, framework::Event(key));
        out += ':';
        AppendJson(out, item);
      }
      out += '}';
      return;
    }
    default:
      out += value.dump(-1, ' ', false, framework::Event::error_handler_t::replace);
  }
}

}  // namespace

std::string ToJsonLine(const framework::Event& event) {
  std::string out;
  AppendJson(out, event);
  return out;
}

std::string ToText(const framework::Event& event) {
  std::string out =
      fmt::format("[{:>4}] {:<17}", event.value("tick", 0ull), event.value("event", ""));
  for (const auto& [key, item] : event.items()) {
    if (key == "event" || key == "tick") continue;
    out += ' ';
    out += key;
    out += '=';
    AppendJson(out, item);
  }
  return out;
}

void WriteEventLine(std::FILE* out, EventOutput output, const framework::Event& event) {
  std::string line = output == EventOutput::JsonLines ? ToJsonLine(event) : ToText(event);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), out);
  std::fflush(out);
}

}  // namespace devserver
