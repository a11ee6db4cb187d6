#include "config/ParseError.h"

#include <iterator>
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

}  // namespace

ParsedConfig ParseConfig(std::istream& in, const std::string& name) {
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
  }
  // The parse stops after the first complete value; a stream at its end cannot say where.
  const auto end = stream.tellg();
  const std::size_t valueEnd = end < 0 ? text.size() : static_cast<std::size_t>(end);
  parsed.ignored = FindIgnoredParts(text, valueEnd);
  return parsed;
}

}  // namespace packsentinel
