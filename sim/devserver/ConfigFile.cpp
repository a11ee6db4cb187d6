// The scenario's hold on config.json: written whole, or edited value by value.

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "devserver/DevServer.h"
#include "devserver/Files.h"

namespace devserver {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// The library copies and dumps a value by recursing once per level of nesting, and copies an
// object's members whenever the object grows: devserver builds nothing deeper than this, far
// deeper than any configuration and far from exhausting the stack.
constexpr int kMaxNesting = 512;

// The library's reason, cut: a parse error quotes the whole token it stopped in.
std::string Reason(const Json::exception& error) { return Excerpt(error.what(), 200); }

// Stops at the first level beyond kMaxNesting, before it is built.
template <typename Input>
Json ParseNestingBounded(Input&& input, std::string_view what) {
  return Json::parse(
      std::forward<Input>(input), [what](int depth, Json::parse_event_t event, const Json&) {
        const bool opens =
            event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
        if (opens && depth >= kMaxNesting) {
          throw ScenarioError(fmt::format("{} nests deeper than {} levels", what, kMaxNesting));
        }
        return true;
      });
}

Json ReadJson(const std::string& path) {
  std::error_code ignored;
  if (!fs::exists(path, ignored)) throw ScenarioError("there is no config.json to edit");
  const std::string text = ReadWholeFile(path, "config.json");
  try {
    return ParseNestingBounded(text, "config.json");
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("config.json is not JSON: {}", Reason(error)));
  }
}

Json::json_pointer Pointer(std::string_view text) {
  try {
    return Json::json_pointer(std::string(text));
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("bad JSON pointer {}: {}", Excerpt(text), Reason(error)));
  }
}

// contains() throws for an index too large for any array instead of answering no.
bool Contains(const Json& document, const Json::json_pointer& pointer) {
  try {
    return document.contains(pointer);
  } catch (const Json::exception&) {
    return false;
  }
}

// Setting through a pointer creates the levels it names that are missing, and pads an array with
// nulls up to the index it names: a long pointer or a large index would build without bound. An
// index may name at most the end of its array, which appends, as in a JSON patch; an array the
// pointer creates starts empty.
void ExpectSettable(const Json& document, const Json::json_pointer& pointer,
                    std::string_view text) {
  std::vector<std::string> tokens;
  for (auto rest = pointer; !rest.empty(); rest.pop_back()) tokens.push_back(rest.back());
  if (tokens.size() > static_cast<std::size_t>(kMaxNesting)) {
    throw ScenarioError(fmt::format("can't set {}: the pointer is deeper than {} levels",
                                    Excerpt(text), kMaxNesting));
  }
  // None once the pointer has left what exists: the rest is created.
  const Json* at = &document;
  for (auto token = tokens.rbegin(); token != tokens.rend(); ++token) {
    if (at != nullptr && at->is_object()) {
      const auto found = at->find(*token);
      at = found == at->end() ? nullptr : &*found;
      continue;
    }
    const bool isIndex = !token->empty() && std::all_of(token->begin(), token->end(), [](char c) {
      return c >= '0' && c <= '9';
    });
    // A scalar in the way or a word for an array: the library refuses those itself.
    if (!isIndex || (at != nullptr && !at->is_array() && !at->is_null())) {
      at = nullptr;
      continue;
    }
    const std::size_t size = at != nullptr && at->is_array() ? at->size() : 0;
    std::size_t index = 0;
    const auto [end, error] = std::from_chars(token->data(), token->data() + token->size(), index);
    if (error != std::errc{} || index > size) {
      throw ScenarioError(fmt::format("can't set {}: index {} is past the end of an array of {}",
                                      Excerpt(text), Excerpt(*token), size));
    }
    at = index < size ? &(*at)[index] : nullptr;
  }
}

// The document as config.json text, refused when nested beyond kMaxNesting: a value within the
// bound, set through a pointer, can take it over.
std::string Serialized(const Json& document) {
  std::vector<std::pair<const Json*, int>> pending{{&document, 0}};
  while (!pending.empty()) {
    const auto [value, depth] = pending.back();
    pending.pop_back();
    if (!value->is_structured()) continue;
    if (depth == kMaxNesting) {
      throw ScenarioError(
          fmt::format("can't write config.json: it would nest deeper than {} levels", kMaxNesting));
    }
    for (const auto& item : *value) pending.emplace_back(&item, depth + 1);
  }
  try {
    return document.dump(2) + "\n";
  } catch (const Json::exception& error) {
    // A key from a pointer is any bytes, and JSON text is UTF-8.
    throw ScenarioError(fmt::format("can't write config.json: {}", Reason(error)));
  }
}

}  // namespace

void DevServer::WriteConfig(const std::string& text) {
  ExpectFileOrNothing(ConfigPath(), "config.json");
  std::ofstream out(ConfigPath(), std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw ScenarioError("can't write " + ConfigPath());
}

void DevServer::CopyConfig(const CommandLine& line) {
  const std::string_view file = line.words[1].text;
  const fs::path path = fs::path(options_.scriptDir) / file;
  WriteConfig(ReadWholeFile(path, Excerpt(file)));
  Confirm(line.answers, fmt::format("config.json copied from {}", path.string()));
}

void DevServer::DeleteConfig(const CommandLine& line) {
  const bool existed = fs::exists(ConfigPath());
  // Whatever else stands there was not written as config.json and is left for a person to see.
  ExpectFileOrNothing(ConfigPath(), "config.json");
  std::error_code error;
  fs::remove(ConfigPath(), error);
  if (error) throw ScenarioError("can't delete config.json: " + error.message());
  Confirm(line.answers, existed ? "config.json deleted" : "there was no config.json to delete");
}

void DevServer::ConfigSet(const CommandLine& line) {
  const std::string_view pointer = line.words[1].text;
  const std::string_view json = RestAfter(line.text, line.words, 1);
  Json document = ReadJson(ConfigPath());
  Json value;
  try {
    value = ParseNestingBounded(json, "the value");
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("not a JSON value: {}: {}", Excerpt(json), Reason(error)));
  }
  const auto target = Pointer(pointer);
  ExpectSettable(document, target, pointer);
  try {
    document[target] = std::move(value);
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("can't set {}: {}", Excerpt(pointer), Reason(error)));
  }
  WriteConfig(Serialized(document));
  Confirm(line.answers, fmt::format("config.json: {} set to {}", Excerpt(pointer), Excerpt(json)));
}

void DevServer::ConfigRemove(const CommandLine& line) {
  const std::string_view pointer = line.words[1].text;
  Json document = ReadJson(ConfigPath());
  const auto target = Pointer(pointer);
  if (target.empty() || !Contains(document, target)) {
    throw ScenarioError(fmt::format("config.json has nothing at {}", Excerpt(pointer)));
  }
  auto& parent = document[target.parent_pointer()];
  if (parent.is_object()) {
    parent.erase(target.back());
  } else {
    parent.erase(static_cast<std::size_t>(ParseUnsigned(target.back())));
  }
  WriteConfig(Serialized(document));
  Confirm(line.answers, fmt::format("config.json: {} removed", Excerpt(pointer)));
}

}  // namespace devserver
