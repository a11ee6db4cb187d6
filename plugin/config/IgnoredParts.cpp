#include "config/IgnoredParts.h"

#include <json.hpp>
#include <map>
#include <string>
#include <vector>

#include "config/Schema.h"
#include "config/TextLines.h"

namespace packsentinel {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

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

// One container being parsed: its place in its parent and, for an object, where each key was
// first given. Only the place is kept, not the whole pointer: a deep document would otherwise
// hold a pointer as long as its depth at every level.
struct Container {
  std::string token;  // its key or index in its parent, unescaped; empty for the document
  bool isObject = false;
  std::size_t nextIndex = 0;  // of an array's next element
  std::string key;            // of an object's value being parsed
  std::map<std::string, std::size_t> keys;
};

class DuplicateKeys {
 public:
  DuplicateKeys(const TextLines& lines, std::string_view value, ConfigProblems& problems)
      : lines_(lines), keyPositions_(KeyPositions(value)), problems_(problems) {}

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
        TokenOfNext();
        break;
    }
    return true;
  }

 private:
  void Open(bool isObject) {
    Container container;
    container.token = TokenOfNext();
    container.isObject = isObject;
    open_.push_back(std::move(container));
  }

  // The reference token of the value that starts now in the innermost container, which counts
  // it.
  std::string TokenOfNext() {
    if (open_.empty()) return "";
    Container& parent = open_.back();
    if (parent.isObject) return parent.key;
    return std::to_string(parent.nextIndex++);
  }

  // The pointer of key in the innermost container, escaped by the library.
  std::string PointerOf(const std::string& key) const {
    nlohmann::json::json_pointer pointer;
    for (std::size_t i = 1; i < open_.size(); ++i) pointer /= open_[i].token;
    return (pointer / key).to_string();
  }

  void Key(const std::string& key) {
    const std::size_t at = keyPositions_[keysSeen_++];
    // Deeper, the file is refused for its nesting anyway; a pointer there would be as long.
    if (open_.size() > schema::kNestingLimit) return;
    Container& object = open_.back();
    object.key = key;
    const auto [first, isNew] = object.keys.emplace(key, at);
    if (isNew) return;
    problems_.push_back({Severity::Warning, PointerOf(key),
                         "given twice, at " + lines_.Where(first->second) + " and at " +
                             lines_.Where(at) + "; the last one is used"});
  }

  const TextLines& lines_;
  std::vector<std::size_t> keyPositions_;
  std::size_t keysSeen_ = 0;
  std::vector<Container> open_;
  ConfigProblems& problems_;
};

}  // namespace

ConfigProblems FindIgnoredParts(std::string_view text, std::size_t valueEnd) {
  ConfigProblems problems;
  const TextLines lines(text);
  const std::string_view value = text.substr(0, valueEnd);
  // The value parsed once already; parsed again, each of its events is seen.
  [[maybe_unused]] const auto reparsed =
      nlohmann::json::parse(value.begin(), value.end(), DuplicateKeys(lines, value, problems));
  const std::size_t after = text.find_first_not_of(kBlanks, valueEnd);
  if (after != std::string_view::npos) {
    problems.push_back(
        {Severity::Warning, "",
         "the text after the configuration, from " + lines.Where(after) + " on, is ignored"});
  }
  return problems;
}

}  // namespace packsentinel
