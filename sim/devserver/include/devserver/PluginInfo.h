#pragma once

// What the framework's loader reads beside a plugin's library: PluginInfo.json, which is
// optional. Each key is optional too and has a default.

#include <string>
#include <vector>

namespace devserver {

struct PluginInfo {
  std::string fullName;
  std::string description = "No description";
  double version = 1.0;
  // A framework older than this refuses the plugin.
  double minApiVersion = 0;
  // Plugins that must be loaded as well; the loader logs an error for each that is not.
  std::vector<std::string> dependencies;
};

// The PluginInfo.json in the folder, or the defaults when there is none. Throws
// std::runtime_error saying what is wrong with a file that cannot be read, is not JSON or holds a
// key of the wrong type.
PluginInfo ReadPluginInfo(const std::string& pluginDir);

}  // namespace devserver
