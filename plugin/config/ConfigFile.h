#pragma once

// A configuration file read whole, and only when it is a regular file of a configuration's size,
// symlinks followed: a folder opens as a stream that fails at the first read, a FIFO blocks the
// open until something writes to it, a device can feed the parser without end, and a file of a
// gigabyte would hold the game's tick for seconds while it is parsed.

#include <cstdint>
#include <filesystem>
#include <string>

namespace packsentinel {

// The shipped file holds a few kilobytes. A mebibyte still holds every text at its longest, even
// written all in \u escapes (about 400 KB), beside hundreds of groups; and the slowest file of
// that size to parse and check holds a reload for under half a second.
inline constexpr std::uintmax_t kConfigSizeLimit = std::uintmax_t{1} << 20;

struct ConfigFile {
  std::string text;      // the whole file when problem is empty
  std::string problem;   // why it could not be read, in words
  bool missing = false;  // nothing at the path: problem holds the system's words for that
};

ConfigFile ReadConfigFile(const std::filesystem::path& path);

}  // namespace packsentinel
