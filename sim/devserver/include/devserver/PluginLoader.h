#pragma once

// Loads a plugin as the framework's loader does: the library is installed into the server
// directory under ArkApi/Plugins/<Name>/, with its PluginInfo.json, and mapped with dlopen,
// whose constructor is the attach notification; dlclose runs the detach notification. A plugin
// whose attach failed says so through an exported `extern "C" const char*
// LibraryAttachFailure()` answering the reason (none: it started), as DllMain answers FALSE.

#include <string>

namespace devserver {

class PluginLoader {
 public:
  // source: the built library; serverDir: the server's working directory; pluginInfo: the
  // PluginInfo.json installed beside the library at each load (none: whatever the folder holds
  // is read).
  PluginLoader(std::string source, std::string serverDir, std::string pluginName = "Packsentinel",
               std::string pluginInfo = "");
  ~PluginLoader();
  PluginLoader(const PluginLoader&) = delete;
  PluginLoader& operator=(const PluginLoader&) = delete;

  // The plugin's folder, where its library, PluginInfo.json and config.json live.
  std::string PluginDir() const;
  bool IsLoaded() const { return handle_ != nullptr; }

  // Emits plugin_loaded or plugin_failed; true when loaded. Once loaded, each dependency named
  // in PluginInfo.json that is not loaded is logged as an error.
  bool Load();
  // Emits plugin_unloaded. Does nothing when not loaded.
  void Unload();

 private:
  // Copies the library and PluginInfo.json into the plugin's folder; the library's path there.
  std::string Install();

  std::string source_;
  std::string serverDir_;
  std::string pluginName_;
  std::string pluginInfo_;
  void* handle_ = nullptr;
};

}  // namespace devserver
