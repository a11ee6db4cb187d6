#include "config/Problems.h"

#include <algorithm>

namespace packsentinel {
namespace {

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

std::size_t CountErrors(const ConfigProblems& problems) {
  return static_cast<std::size_t>(std::count_if(
      problems.begin(), problems.end(), [](auto& p) { return p.severity == Severity::Error; }));
}

std::string Describe(const ConfigProblem& problem) {
  return problem.pointer.empty() ? problem.message : problem.pointer + ": " + problem.message;
}

std::string Summarize(const ConfigProblems& problems) {
  const std::size_t errors = CountErrors(problems);
  const std::size_t warnings = problems.size() - errors;
  if (errors > 0 && warnings > 0) {
    return Counted(errors, "error") + " and " + Counted(warnings, "warning");
  }
  if (errors > 0) return Counted(errors, "error");
  if (warnings > 0) return Counted(warnings, "warning");
  return "no problems";
}

ConfigRejected::ConfigRejected(ConfigProblems problems)
    : std::runtime_error("config.json has " + Summarize(problems) + "; it was not applied"),
      problems_(std::move(problems)) {}

}  // namespace packsentinel
