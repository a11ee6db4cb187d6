#include "config/ParseError.h"

#include <algorithm>
#include <json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "config/IgnoredParts.h"
#include "config/TextLines.h"

namespace packsentinel {
namespace {

// The library's own text from "line …" on, without its code and "parse error at".
std::string WhereAndWhat(std::string_view text) {
  const auto line = text.find("line ");
  return std::string(line == std::string_view::npos ? text : text.substr(line));
}

std::string Hint(std::string_view text, std::size_t at, std::string_view what) {
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return "the file is empty";
  if (what.find("must be escaped") != std::string_view::npos ||
      what.find("missing closing quote") != std::string_view::npos) {
    return "a text is missing its closing quote: a text ends on the line it starts";
  }
  const std::string_view rest = text.substr(std::min(at, text.size()));
  if (rest.starts_with("//") || rest.starts_with("/*")) return "JSON has no comments";
  const char found = at < text.size() ? text[at] : '\0';
  if (found == '}' || found == ']') {
    const auto before = text.substr(0, at).find_last_not_of(" \t\r\n");
    if (before != std::string_view::npos && text[before] == ',') {
      return "a comma after the last entry is not allowed (the comma on line " +
             std::to_string(TextLines(text).LineOf(before)) + ")";
    }
  }
  if (what.find("object key") != std::string_view::npos) return "keys are texts in double quotes";
  return "";
}

// Where the first number written as token stands outside the texts. The parse stopped at the
// first number it could not hold, and everything before it parsed, so an equal number before it
// cannot be.
std::size_t NumberAt(std::string_view text, std::string_view token) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\') ++i;
      }
      continue;
    }
    if (text[i] != '-' && (text[i] < '0' || text[i] > '9')) continue;
    const std::size_t end = std::min(text.find_first_not_of("+-.0123456789eE", i), text.size());
    if (text.substr(i, end - i) == token) return i;
    i = end - 1;
  }
  return std::string_view::npos;
}

// The library says "number overflow parsing 'TOKEN'" without a place.
std::string NumberTooLarge(const std::string& text, std::string_view what) {
  const auto open = what.find('\'');
  const auto close = what.rfind('\'');
  const std::string_view token =
      open < close ? what.substr(open + 1, close - open - 1) : std::string_view();
  constexpr std::size_t kShown = 40;
  const std::string shown = token.size() <= kShown
                                ? std::string(token)
                                : std::string(token.substr(0, kShown)) + "… (" +
                                      std::to_string(token.size()) + " characters)";
  const std::size_t at = NumberAt(text, token);
  return (at == std::string_view::npos ? "" : TextLines(text).Where(at) + ": ") + "the number " +
         shown + " is too large to be read: a number may reach about 1.8e308, either side of zero";
}

}  // namespace

ParsedConfig ParseConfig(const std::string& text, const std::string& name) {
  std::istringstream stream(text);
  ParsedConfig parsed;
  try {
    stream >> parsed.document;
  } catch (const nlohmann::json::parse_error& error) {
    // byte counts from 1 and names the last character read.
    const std::size_t at = error.byte == 0 ? 0 : error.byte - 1;
    const std::string what = WhereAndWhat(error.what());
    const std::string hint = Hint(text, at, what);
    throw ConfigSyntaxError(name + ": " + what + (hint.empty() ? "" : ". Hint: " + hint));
  } catch (const nlohmann::json::out_of_range& error) {
    // The one such error a parse raises.
    throw ConfigSyntaxError(name + ": " + NumberTooLarge(text, error.what()));
  }
  // The parse stops after the first complete value; a stream at its end cannot say where. A
  // number ends only where a character that cannot continue it stands, which the parse has read.
  const auto end = stream.tellg();
  std::size_t valueEnd = end < 0 ? text.size() : static_cast<std::size_t>(end);
  if (end >= 0 && parsed.document.is_number()) --valueEnd;
  parsed.ignored = FindIgnoredParts(text, valueEnd);
  return parsed;
}

}  // namespace packsentinel
