#include "devserver/PluginInfo.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "devserver/Words.h"

namespace devserver {
namespace {

using Json = nlohmann::json;

constexpr const char* kFileName = "PluginInfo.json";

[[noreturn]] void Refuse(std::string_view problem) {
  throw std::runtime_error(fmt::format("{}: {}", kFileName, problem));
}

// The key's value, when the file has the key; a value of another kind is refused.
const Json* Member(const Json& info, const char* key, bool (Json::*isKind)() const noexcept,
                   const char* kind) {
  const auto it = info.find(key);
  if (it == info.end()) return nullptr;
  if (!((*it).*isKind)()) Refuse(fmt::format("{} must be {}", key, kind));
  return &*it;
}

}  // namespace

PluginInfo ReadPluginInfo(const std::string& pluginDir) {
  const auto path = std::filesystem::path(pluginDir) / kFileName;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return {};
  if (!std::filesystem::is_regular_file(path, error)) Refuse("not a regular file");
  std::ifstream in(path, std::ios::binary);
  if (!in) Refuse("can't be read");

  Json info;
  try {
    info = Json::parse(in);
  } catch (const Json::exception& parseError) {
    Refuse(fmt::format("not JSON: {}", Excerpt(parseError.what(), 200)));
  }
  if (!info.is_object()) Refuse("not a JSON object");

  PluginInfo read;
  if (const Json* value = Member(info, "FullName", &Json::is_string, "text")) {
    read.fullName = value->get<std::string>();
  }
  if (const Json* value = Member(info, "Description", &Json::is_string, "text")) {
    read.description = value->get<std::string>();
  }
  if (const Json* value = Member(info, "Version", &Json::is_number, "a number")) {
    read.version = value->get<double>();
  }
  if (const Json* value = Member(info, "MinApiVersion", &Json::is_number, "a number")) {
    read.minApiVersion = value->get<double>();
  }
  if (const Json* value =
          Member(info, "Dependencies", &Json::is_array, "an array of plugin names")) {
    for (const Json& name : *value) {
      if (!name.is_string()) Refuse("Dependencies must be an array of plugin names");
      read.dependencies.push_back(name.get<std::string>());
    }
  }
  return read;
}

}  // namespace devserver
