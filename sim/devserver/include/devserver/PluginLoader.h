#pragma once

// Loads a plugin as the server does: the library is installed into the server directory
// under ArkApi/Plugins/<Name>/ and mapped with dlopen, whose constructor is the attach
// notification; dlclose runs the detach notification.

#include <string>

namespace devserver {

class PluginLoader {
 public:
  // source: the built library; serverDir: the server's working directory.
  PluginLoader(std::string source, std::string serverDir, std::string pluginName = "Packsentinel");
  ~PluginLoader();
  PluginLoader(const PluginLoader&) = delete;
  PluginLoader& operator=(const PluginLoader&) = delete;

  // The plugin's folder, where its library and config.json live.
  std::string PluginDir() const;
  bool IsLoaded() const { return handle_ != nullptr; }

  // Emits plugin_loaded or plugin_failed; true when loaded.
  bool Load();
  // Emits plugin_unloaded. Does nothing when not loaded.
  void Unload();

 private:
  std::string source_;
  std::string serverDir_;
  std::string pluginName_;
  void* handle_ = nullptr;
};

}  // namespace devserver
