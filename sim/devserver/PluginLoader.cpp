#include "devserver/PluginLoader.h"

#include <dlfcn.h>

#include <filesystem>

#include "framework/Events.h"
#include "framework/Server.h"

namespace devserver {

namespace fs = std::filesystem;

PluginLoader::PluginLoader(std::string source, std::string serverDir, std::string pluginName)
    : source_(std::move(source)),
      serverDir_(std::move(serverDir)),
      pluginName_(std::move(pluginName)) {}

PluginLoader::~PluginLoader() { Unload(); }

std::string PluginLoader::PluginDir() const {
  return (fs::path(serverDir_) / "ArkApi" / "Plugins" / pluginName_).string();
}

bool PluginLoader::Load() {
  auto& events = framework::Events();
  if (handle_ != nullptr) {
    events.Emit("plugin_failed", {{"text", "plugin is loaded already"}});
    return false;
  }
  const fs::path installed = fs::path(PluginDir()) / ("lib" + pluginName_ + ".so");
  std::error_code error;
  fs::create_directories(installed.parent_path(), error);
  fs::copy_file(source_, installed, fs::copy_options::overwrite_existing, error);
  if (error) {
    events.Emit("plugin_failed", {{"text", "can't install " + source_ + ": " + error.message()}});
    return false;
  }
  handle_ = dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    events.Emit("plugin_failed", {{"text", reason ? reason : "dlopen failed"}});
    return false;
  }
  std::string reason;
  if (framework::TakeAttachFailure(reason)) {
    // As when the attach notification answers false: the loader releases the library.
    dlclose(handle_);
    handle_ = nullptr;
    events.Emit("plugin_failed", {{"text", reason}});
    return false;
  }
  events.Emit("plugin_loaded", {{"text", pluginName_}});
  return true;
}

void PluginLoader::Unload() {
  if (handle_ == nullptr) return;
  dlclose(std::exchange(handle_, nullptr));
  framework::Events().Emit("plugin_unloaded", {{"text", pluginName_}});
}

}  // namespace devserver
