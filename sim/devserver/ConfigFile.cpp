// The scenario's hold on config.json: written whole, or edited value by value.

#include <fmt/format.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "devserver/DevServer.h"

namespace devserver {
namespace {

using Json = nlohmann::ordered_json;

Json ReadJson(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ScenarioError("there is no config.json to edit");
  try {
    return Json::parse(in);
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("config.json is not JSON: {}", error.what()));
  }
}

Json::json_pointer Pointer(std::string_view text) {
  try {
    return Json::json_pointer(std::string(text));
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("bad JSON pointer {}: {}", text, error.what()));
  }
}

}  // namespace

void DevServer::WriteConfig(const std::string& text) {
  std::ofstream out(ConfigPath(), std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw ScenarioError("can't write " + ConfigPath());
}

void DevServer::ConfigSet(std::string_view pointer, std::string_view json) {
  Json document = ReadJson(ConfigPath());
  Json value;
  try {
    value = Json::parse(json);
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("not a JSON value: {}: {}", json, error.what()));
  }
  try {
    document[Pointer(pointer)] = std::move(value);
  } catch (const Json::exception& error) {
    throw ScenarioError(fmt::format("can't set {}: {}", pointer, error.what()));
  }
  WriteConfig(document.dump(2) + "\n");
}

void DevServer::ConfigRemove(std::string_view pointer) {
  Json document = ReadJson(ConfigPath());
  const auto target = Pointer(pointer);
  if (target.empty() || !document.contains(target)) {
    throw ScenarioError(fmt::format("config.json has nothing at {}", pointer));
  }
  auto& parent = document[target.parent_pointer()];
  if (parent.is_object()) {
    parent.erase(target.back());
  } else {
    parent.erase(static_cast<std::size_t>(std::stoul(target.back())));
  }
  WriteConfig(document.dump(2) + "\n");
}

}  // namespace devserver
