#include "config/IgnoredParts.h"

#include <json.hpp>
#include <map>
#include <string>
#include <vector>

namespace packsentinel {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string Where(std::string_view text, std::size_t at) {
  std::size_t line = 1, lineStart = 0;
  for (std::size_t i = 0; i < at; ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(at - lineStart + 1);
}

// Where each key of the value starts (its opening quote), in the order the parser meets them: a
// key is the only text followed by a colon.
std::vector<std::size_t> KeyPositions(std::string_view value) {
  std::vector<std::size_t> keys;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '"') continue;
    const std::size_t start = i;
    for (++i; i < value.size() && value[i] != '"'; ++i) {
      if (value[i] == '\\') ++i;
    }
    const std::size_t next = value.find_first_not_of(kBlanks, i + 1);
    if (next != std::string_view::npos && value[next] == ':') keys.push_back(start);
  }
  return keys;
}

// A JSON pointer's reference token: "~" and "/" escaped.
std::string Token(const std::string& key) {
  std::string token;
  for (const char c : key) {
    if (c == '~') {
      token += "~0";
    } else if (c == '/') {
      token += "~1";
    } else {
      token += c;
    }
  }
  return token;
}

// One container being parsed: its pointer and, for an object, where each key was first given.
struct Container {
  std::string pointer;
  bool isObject = false;
  std::size_t nextIndex = 0;  // of an array's next element
  std::string key;            // of an object's value being parsed
  std::map<std::string, std::size_t> keys;
};

class DuplicateKeys {
 public:
  DuplicateKeys(std::string_view text, std::string_view value, ConfigProblems& problems)
      : text_(text), keyPositions_(KeyPositions(value)), problems_(problems) {}

  bool operator()(int /*depth*/, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
    using Event = nlohmann::json::parse_event_t;
    switch (event) {
      case Event::object_start:
      case Event::array_start:
        Open(event == Event::object_start);
        break;
      case Event::object_end:
      case Event::array_end:
        open_.pop_back();
        break;
      case Event::key:
        Key(parsed.get<std::string>());
        break;
      case Event::value:
        PointerOfNext();
        break;
    }
    return true;
  }

 private:
  void Open(bool isObject) {
    Container container;
    container.pointer = PointerOfNext();
    container.isObject = isObject;
    open_.push_back(std::move(container));
  }

  // The pointer of the value that starts now in the innermost container, which counts it.
  std::string PointerOfNext() {
    if (open_.empty()) return "";
    Container& parent = open_.back();
    if (parent.isObject) return parent.pointer + "/" + Token(parent.key);
    return parent.pointer + "/" + std::to_string(parent.nextIndex++);
  }

  void Key(const std::string& key) {
    const std::size_t at = keyPositions_[keysSeen_++];
    Container& object = open_.back();
    object.key = key;
    const auto [first, isNew] = object.keys.emplace(key, at);
    if (isNew) return;
    problems_.push_back({Severity::Warning, object.pointer + "/" + Token(key),
                         "given twice, at " + Where(text_, first->second) + " and at " +
                             Where(text_, at) + "; the last one is used"});
  }

  std::string_view text_;
  std::vector<std::size_t> keyPositions_;
  std::size_t keysSeen_ = 0;
  std::vector<Container> open_;
  ConfigProblems& problems_;
};

}  // namespace

ConfigProblems FindIgnoredParts(std::string_view text, std::size_t valueEnd) {
  ConfigProblems problems;
  const std::string_view value = text.substr(0, valueEnd);
  // The value parsed once already; parsed again, each of its events is seen.
  [[maybe_unused]] const auto reparsed =
      nlohmann::json::parse(value.begin(), value.end(), DuplicateKeys(text, value, problems));
  const std::size_t after = text.find_first_not_of(kBlanks, valueEnd);
  if (after != std::string_view::npos) {
    problems.push_back(
        {Severity::Warning, "",
         "the text after the configuration, from " + Where(text, after) + " on, is ignored"});
  }
  return problems;
}

}  // namespace packsentinel
