#include "config/ConfigFile.h"

#include <cerrno>
#include <fstream>
#include <ios>
#include <system_error>

namespace packsentinel {
namespace {

std::string MoreThanAllowed() {
  return "more than the " + std::to_string(kConfigSizeLimit) + " bytes a configuration may hold";
}

// Up to one byte past the limit: a file may hold more than its size says, as one still being
// written does, or one of /proc.
void ReadBounded(std::ifstream& stream, ConfigFile& file) {
  char buffer[1 << 14];
  try {
    for (std::streamsize count; (count = stream.rdbuf()->sgetn(buffer, sizeof buffer)) > 0;) {
      file.text.append(buffer, static_cast<std::size_t>(count));
      if (file.text.size() > kConfigSizeLimit) {
        file.text.clear();
        file.problem = "it holds " + MoreThanAllowed();
        return;
      }
    }
  } catch (const std::ios_base::failure& error) {
    // A regular file may still fail to read, as /proc/self/mem does.
    file.text.clear();
    file.problem = error.code().message();
  }
}

}  // namespace

ConfigFile ReadConfigFile(const std::filesystem::path& path) {
  ConfigFile file;
  // Told apart before opening: opening is what blocks on a FIFO.
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    file.missing = true;
    file.problem = error.message();
  } else if (error) {
    file.problem = error.message();
  } else if (std::filesystem::is_directory(status)) {
    file.problem = "it is a folder, not a file";
  } else if (!std::filesystem::is_regular_file(status)) {
    file.problem = "it is not a regular file";
  } else if (const std::uintmax_t size = std::filesystem::file_size(path, error);
             !error && size > kConfigSizeLimit) {
    // Asked before reading: a sparse file of a gigabyte takes no disk, but seconds to read.
    file.problem = "it holds " + std::to_string(size) + " bytes, " + MoreThanAllowed();
  } else {
    errno = 0;
    std::ifstream stream(path, std::ios::binary);
    if (stream) {
      ReadBounded(stream, file);
    } else {
      file.problem = errno != 0 ? std::generic_category().message(errno) : "it cannot be opened";
    }
  }
  return file;
}

}  // namespace packsentinel
