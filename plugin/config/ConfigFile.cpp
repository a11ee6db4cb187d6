#include "config/ConfigFile.h"

#include <cerrno>
#include <system_error>

namespace packsentinel {

ConfigFile OpenConfigFile(const std::filesystem::path& path) {
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
  } else {
    errno = 0;
    file.stream.open(path, std::ios::binary);
    if (!file.stream) {
      file.problem = errno != 0 ? std::generic_category().message(errno) : "it cannot be opened";
    }
  }
  return file;
}

}  // namespace packsentinel
