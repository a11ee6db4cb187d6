#include "devserver/Files.h"

#include <fmt/format.h>

#include <fstream>
#include <ios>
#include <sstream>

namespace devserver {

namespace fs = std::filesystem;

void ExpectFileOrNothing(const fs::path& path, std::string_view name) {
  std::error_code ignored;
  const fs::file_status status = fs::status(path, ignored);
  if (fs::is_directory(status)) {
    throw ScenarioError(fmt::format("{} is a folder, not a file", name));
  }
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    throw ScenarioError(fmt::format("{} is not a regular file", name));
  }
}

std::string ReadWholeFile(const fs::path& path, std::string_view name) {
  ExpectFileOrNothing(path, name);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ScenarioError(fmt::format("can't read {}", name));
  // Copying the buffer whole would take a failed read for the end of the file.
  in.exceptions(std::ios::badbit);
  std::ostringstream text;
  try {
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) text.write(buffer, in.gcount());
  } catch (const std::ios_base::failure& error) {
    throw ScenarioError(fmt::format("can't read {}: {}", name, error.code().message()));
  }
  return std::move(text).str();
}

}  // namespace devserver
