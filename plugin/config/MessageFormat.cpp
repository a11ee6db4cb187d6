#include "config/MessageFormat.h"

#include <fmt/format.h>

#include <cstddef>
#include <vector>

#include "host/TrialFormat.h"

namespace packsentinel {
namespace {

// The configuration's UTF-8, which the JSON parser has already found well formed, as the
// 16-bit text the replies format.
host::String DecodeUtf8(std::string_view text) {
  host::String out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    for (int k = 1; k < length && i + k < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += length;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<host::Char>(0xD800 + (c >> 10));
      out += static_cast<host::Char>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<host::Char>(c);
    }
  }
  return out;
}

// A width or precision beyond the longest message, or one taken from an argument (whose value
// at use is not known here).
std::optional<std::string> CheckFieldSizes(host::TextView format) {
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
      if (!inSpec || c < HOST_TEXT('0') || c > HOST_TEXT('9')) continue;
      long long number = 0;
      for (; i < format.size() && format[i] >= HOST_TEXT('0') && format[i] <= HOST_TEXT('9'); ++i) {
        number = std::min<long long>(number * 10 + (format[i] - HOST_TEXT('0')), 1LL << 40);
      }
      if (number > schema::kMessageLengthLimit) {
        return fmt::format(
            "asks for a width or precision of {}; a message may come to at most {} characters",
            number, schema::kMessageLengthLimit);
      }
      --i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> TooLong(std::size_t length, std::string_view how) {
  if (length <= static_cast<std::size_t>(schema::kMessageLengthLimit)) return std::nullopt;
  return fmt::format("comes to {} characters{}; at most {} are allowed", length, how,
                     schema::kMessageLengthLimit);
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

}  // namespace

std::optional<std::string> CheckMessageFormat(std::string_view text,
                                              std::span<const schema::MessageArgument> arguments) {
  const host::String format = DecodeUtf8(text);
  if (auto tooWide = CheckFieldSizes(format)) return tooWide;

  // The kinds the replies pass: player and configuration texts as text views, numbers as
  // 32-bit integers.
  static constexpr host::TextView kSampleText = HOST_TEXT("Raptor");
  static constexpr int32 kSampleNumber = 10;
  std::vector<host::TrialArgument> samples;
  for (const auto& argument : arguments) {
    if (argument.kind == schema::ArgumentKind::Text) {
      samples.emplace_back(kSampleText);
    } else {
      samples.emplace_back(kSampleNumber);
    }
  }
  std::size_t length = 0;
  try {
    length = host::FormattedLength(format, samples);
  } catch (const host::FormatError& error) {
    return fmt::format("cannot be formatted with its arguments ({}): {}", ArgumentList(arguments),
                       error.what());
  }
  return TooLong(length, " with sample arguments");
}

std::optional<std::string> CheckMessageLength(std::string_view text) {
  return TooLong(DecodeUtf8(text).size(), "");
}

}  // namespace packsentinel
