#include "config/MessageFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "config/FieldFormat.h"
#include "host/Format.h"
#include "host/Text.h"

namespace packsentinel {
namespace {

// Whether the character at i fills a replacement field's width: the first after the colon,
// followed by an alignment.
bool IsFill(host::TextView format, std::size_t i) {
  const host::TextView alignments = HOST_TEXT("<>^=");
  return format[i - 1] == HOST_TEXT(':') && i + 1 < format.size() &&
         alignments.find(format[i + 1]) != host::TextView::npos;
}

// A width or precision beyond the longest message, one taken from an argument (whose value at
// use is not known here), or what only a newer formatter than the game server's takes.
std::optional<std::string> CheckFieldSpecs(host::TextView format) {
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != HOST_TEXT('{')) continue;
    if (i + 1 < format.size() && format[i + 1] == HOST_TEXT('{')) {
      ++i;
      continue;
    }
    bool inSpec = false;
    for (++i; i < format.size() && format[i] != HOST_TEXT('}'); ++i) {
      const host::Char c = format[i];
      if (c == HOST_TEXT('{')) {
        return "has a brace inside a replacement field: a width or precision taken from an "
               "argument is not allowed, and a brace is no fill character";
      }
      if (c == HOST_TEXT(':')) inSpec = true;
      if (inSpec && (c == HOST_TEXT('L') || c == HOST_TEXT('?')) && !IsFill(format, i)) {
        return "asks for the locale flag L or the debug type ?, which the game server's "
               "formatter does not know";
      }
      if (!inSpec || c < HOST_TEXT('0') || c > HOST_TEXT('9')) continue;
      long long number = 0;
      for (; i < format.size() && format[i] >= HOST_TEXT('0') && format[i] <= HOST_TEXT('9'); ++i) {
        number = std::min<long long>(number * 10 + (format[i] - HOST_TEXT('0')), 1LL << 40);
      }
      if (number > schema::kMessageLengthLimit) {
        return "asks for a width or precision of " + std::to_string(number) +
               "; a message may come to at most " + std::to_string(schema::kMessageLengthLimit) +
               " characters";
      }
      --i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> TooLong(std::size_t length, int limit, const std::string& how) {
  if (length <= static_cast<std::size_t>(limit)) return std::nullopt;
  return "comes to " + std::to_string(length) + " characters" + std::string(how) + "; at most " +
         std::to_string(limit) + " are allowed";
}

std::string ArgumentList(std::span<const schema::MessageArgument> arguments) {
  if (arguments.empty()) return "none";
  std::string list;
  for (const auto& argument : arguments) {
    if (!list.empty()) list += ", ";
    list += argument.meaning;
  }
  return list;
}

// Which fields take arguments, in words: "{0} to {2}", "{0}", or none.
std::string FieldsTaken(std::size_t count) {
  if (count == 0) return "this message takes no arguments";
  if (count == 1) return "this message's one argument is {0} (or {})";
  return "this message's arguments are {0} to {" + std::to_string(count - 1) + "} (or {} each)";
}

std::string KindName(schema::ArgumentKind kind) {
  return kind == schema::ArgumentKind::Number ? "a number" : "a text";
}

// The field a template stumbles on, and the fix, in words; empty when no field is at fault (the
// formatter may still refuse the whole, such as {} mixed with numbered fields, in its own words).
std::string FaultyField(host::TextView format, std::span<const schema::MessageArgument> arguments) {
  const auto at = [](std::size_t i) { return " at character " + std::to_string(i + 1); };
  const std::size_t count = arguments.size();
  std::size_t automatic = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const host::Char c = format[i];
    if ((c == HOST_TEXT('{') || c == HOST_TEXT('}')) && i + 1 < format.size() &&
        format[i + 1] == c) {
      ++i;  // a doubled brace shows one
      continue;
    }
    if (c == HOST_TEXT('}')) return "a lone }" + at(i) + ": write }} to show a brace";
    if (c != HOST_TEXT('{')) continue;
    const std::size_t close = format.find(HOST_TEXT('}'), i);
    if (close == host::TextView::npos) return "a lone {" + at(i) + ": write {{ to show a brace";
    const host::TextView field = format.substr(i, close - i + 1);
    const std::size_t colon = std::min(field.find(HOST_TEXT(':')), field.size() - 1);
    const host::TextView id = field.substr(1, colon - 1);
    const std::string shown = host::ToUtf8(field);
    const bool numbered = !id.empty() && std::all_of(id.begin(), id.end(), [](host::Char d) {
      return d >= HOST_TEXT('0') && d <= HOST_TEXT('9');
    });
    std::size_t index = 0;
    if (id.empty()) {
      index = automatic++;
      if (index >= count) return shown + at(i) + " finds no argument left; " + FieldsTaken(count);
    } else if (!numbered) {
      return shown + " is no field: " + FieldsTaken(count) + "; write {" + shown +
             "} to show it as it stands";
    } else {
      if (id.size() > 9 || std::stoul(host::ToUtf8(id)) >= count) {
        return shown + " names no argument; " + FieldsTaken(count);
      }
      index = std::stoul(host::ToUtf8(id));
      // fmt 9 refuses the leading zero that fmt 4.1 reads past.
      if (id.size() > 1 && id.front() == HOST_TEXT('0')) {
        return shown + " numbers its argument with a leading zero: write {" +
               std::to_string(index) + "}";
      }
    }
    const schema::ArgumentKind kind = arguments[index].kind;
    if (!IsSharedFieldFormat(field.substr(colon + 1, field.size() - colon - 2), kind)) {
      return shown + at(i) + " does not suit its argument, " + KindName(kind) + ": " +
             std::string(SharedFieldFormats(kind));
    }
    i = close;
  }
  return "";
}

}  // namespace

std::optional<std::string> CheckMessageFormat(const std::string& text,
                                              std::span<const schema::MessageArgument> arguments) {
  const host::String format = host::DecodeUtf8(text);
  if (auto unsendable = CheckFieldSpecs(format)) return unsendable;

  // The longest of each kind the replies pass: texts as they cut them, and the 32-bit number
  // with the most digits in every base (the sign included).
  const host::String longestText(schema::kEchoedTextLimit, HOST_TEXT('W'));
  constexpr std::int32_t kLongestNumber = std::numeric_limits<std::int32_t>::min();
  std::vector<host::FormatArgument> samples;
  for (const auto& argument : arguments) {
    if (argument.kind == schema::ArgumentKind::Text) {
      samples.emplace_back(host::TextView(longestText));
    } else {
      samples.emplace_back(kLongestNumber);
    }
  }
  const auto refused = [&](const std::string& why) {
    return "cannot be formatted with its arguments (" + ArgumentList(arguments) + "): " + why;
  };
  if (const std::string fault = FaultyField(format, arguments); !fault.empty()) {
    return refused(fault);
  }
  std::size_t length = 0;
  try {
    length = host::Format(format, samples).size();
  } catch (const host::FormatError& error) {
    return refused(error.what());
  }
  return TooLong(length, schema::kMessageLengthLimit,
                 " with the longest arguments a reply passes (texts cut to " +
                     std::to_string(schema::kEchoedTextLimit) + " characters)");
}

std::optional<std::string> CheckTextLength(const std::string& text, int limit) {
  return TooLong(host::DecodeUtf8(text).size(), limit, "");
}

}  // namespace packsentinel
