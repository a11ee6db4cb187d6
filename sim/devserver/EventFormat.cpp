#include "devserver/EventFormat.h"

#include <fmt/format.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <optional>

#include "devserver/Words.h"
#include "game/Game.h"

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

// The game sends linear colours as [r,g,b,a] and packed ones as "AARRGGBB"; a person reads both
// as the screen shows them. Anything else is left as it came.
std::optional<FColor> ShownColour(const framework::Event& value) {
  if (value.is_array() && value.size() == 4) {
    FLinearColor linear;
    float* channels[] = {&linear.R, &linear.G, &linear.B, &linear.A};
    for (std::size_t i = 0; i < 4; ++i) {
      if (!value[i].is_number()) return std::nullopt;
      *channels[i] = value[i].get<float>();
    }
    return game::DisplayColour(linear);
  }
  if (value.is_string()) {
    const auto& text = value.get_ref<const std::string&>();
    std::uint32_t argb = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), argb, 16);
    if (text.size() == 8 && error == std::errc() && end == text.data() + text.size()) {
      return FColor(argb);
    }
  }
  return std::nullopt;
}

constexpr std::string_view kTextIndent = "         ";

std::string Painted(std::string_view text, std::optional<FColor> colour) {
  if (!colour) return std::string(text);
  return fmt::format("\x1b[38;2;{};{};{}m{}\x1b[39m", colour->R, colour->G, colour->B, text);
}

// The tick and kind that begin every line of text output, in aligned columns.
std::string LineHead(std::uint64_t tick, std::string_view kind) {
  return fmt::format("[{:>4}] {:<17}", tick, kind);
}

}  // namespace

std::string ColourText(FColor colour) {
  return colour.A == 0xFF
             ? fmt::format("#{:02X}{:02X}{:02X}", colour.R, colour.G, colour.B)
             : fmt::format("#{:02X}{:02X}{:02X}{:02X}", colour.R, colour.G, colour.B, colour.A);
}

std::string TextLine(std::uint64_t tick, std::string_view kind, std::string_view body) {
  return LineHead(tick, kind) + " " + std::string(body);
}

std::string ToJsonLine(const framework::Event& event) {
  std::string out;
  AppendJson(out, event);
  return out;
}

bool IsRegistryEvent(const framework::Event& event) {
  const auto kind = event.value("event", "");
  return kind == "registered" || kind == "unregistered";
}

std::string ToText(const framework::Event& event, bool terminalColour) {
  std::string out = LineHead(event.value("tick", 0ull), event.value("event", ""));
  const auto colourField = event.find("color");
  const auto colour = colourField == event.end() ? std::nullopt : ShownColour(*colourField);
  const auto textColour = terminalColour ? colour : std::nullopt;
  // Texts of several lines go last, so the one-line fields stay together on the event's line.
  std::string below;
  for (const auto& [key, item] : event.items()) {
    if (key == "event" || key == "tick") continue;
    const auto paint = key == "text" ? textColour : std::optional<FColor>();
    if (item.is_string() && item.get_ref<const std::string&>().find('\n') != std::string::npos) {
      below += fmt::format("\n{}{}:", kTextIndent, key);
      for (const auto& line : PrintableLines(item.get_ref<const std::string&>())) {
        below += fmt::format("\n{}  {}", kTextIndent, Painted(line, paint));
      }
      continue;
    }
    out += ' ';
    out += key;
    out += '=';
    if (key == "color" && colour) {
      out += ColourText(*colour);
    } else {
      std::string value;
      AppendJson(value, item);
      out += Painted(value, paint);
    }
  }
  return out + below;
}

bool WriteEventLine(std::FILE* out, EventOutput output, const framework::Event& event,
                    bool terminalColour) {
  return WriteTextLine(
      out, output == EventOutput::JsonLines ? ToJsonLine(event) : ToText(event, terminalColour));
}

bool WriteTextLine(std::FILE* out, std::string line) {
  line += '\n';
  errno = 0;
  const bool written = std::fwrite(line.data(), 1, line.size(), out) == line.size();
  return std::fflush(out) == 0 && written;
}

std::string RefreshLine(std::uint64_t tick, std::string_view receiver, std::string_view summary) {
  return TextLine(tick, "labels",
                  fmt::format("to={} {}", ToJsonLine(framework::Event(receiver)), summary));
}

}  // namespace devserver
