#pragma once

// A configuration file opened for reading only when it is a regular file, symlinks followed: a
// folder opens as a stream that fails at the first read, a FIFO blocks the open until something
// writes to it, and a device can feed the parser without end.

#include <filesystem>
#include <fstream>
#include <string>

namespace packsentinel {

struct ConfigFile {
  std::ifstream stream;  // open when problem is empty
  std::string problem;   // why it could not be opened, in words
  bool missing = false;  // nothing at the path: problem holds the system's words for that
};

ConfigFile OpenConfigFile(const std::filesystem::path& path);

}  // namespace packsentinel
