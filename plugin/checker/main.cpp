// packsentinel-check [FILE]: the plugin's own checks of a config.json, for an administrator to
// run before a reload. Exit 0: clean or warnings only; 1: errors; 2: unreadable or not JSON.

#include <cstring>
#include <iostream>
#include <json.hpp>
#include <string>

#include "config/Check.h"
#include "config/ConfigFile.h"
#include "config/ParseError.h"

namespace {

constexpr int kClean = 0;
constexpr int kErrors = 1;
constexpr int kUnreadable = 2;

}  // namespace

int main(int argc, char** argv) {
  constexpr const char* kUsage =
      "usage: packsentinel-check [FILE]   (default: config.json in this folder)\n";
  // Asked for, the usage is the answer, whatever else the line holds.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cerr << kUsage;
      return kClean;
    }
  }
  if (argc > 2) {
    std::cerr << kUsage;
    return kUnreadable;
  }
  const std::string path = argc == 2 ? argv[1] : "config.json";

  const auto unreadable = [&path](const std::string& reason) {
    std::cout << path << ": cannot be read: " << reason << "\n";
    return kUnreadable;
  };
  const packsentinel::ConfigFile file = packsentinel::ReadConfigFile(path);
  if (!file.problem.empty()) return unreadable(file.problem);
  packsentinel::ParsedConfig parsed;
  try {
    parsed = packsentinel::ParseConfig(file.text, path);
  } catch (const packsentinel::ConfigSyntaxError& error) {
    std::cout << error.what() << "\n";
    return kUnreadable;
  }

  auto problems = std::move(parsed.ignored);
  const auto checked = packsentinel::CheckConfig(parsed.document);
  problems.insert(problems.end(), checked.begin(), checked.end());
  for (const auto& problem : problems) {
    const char* severity = problem.severity == packsentinel::Severity::Error ? "error" : "warning";
    std::cout << path << ": " << (problem.pointer.empty() ? "" : problem.pointer + ": ") << severity
              << ": " << problem.message << "\n";
  }
  std::cout << path << ": " << packsentinel::Summarize(problems) << "\n";
  return packsentinel::CountErrors(problems) > 0 ? kErrors : kClean;
}
