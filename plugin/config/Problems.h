#pragma once

// What the checks find in a configuration: each problem at its JSON pointer, and the error a
// configuration with errors is refused with.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace packsentinel {

enum class Severity {
  Error,    // would raise or misbehave at use: the configuration is refused
  Warning,  // applied, but probably not what was meant
};

struct ConfigProblem {
  Severity severity;
  std::string pointer;  // "" for the document itself
  std::string message;
};

using ConfigProblems = std::vector<ConfigProblem>;

std::size_t CountErrors(const ConfigProblems& problems);

// "POINTER: message", or the message alone for the document itself.
std::string Describe(const ConfigProblem& problem);

// "2 errors and 1 warning", "1 warning", "no problems".
std::string Summarize(const ConfigProblems& problems);

// Raised instead of applying a configuration with errors; carries every problem found.
class ConfigRejected : public std::runtime_error {
 public:
  explicit ConfigRejected(ConfigProblems problems);
  const ConfigProblems& Problems() const { return problems_; }

 private:
  ConfigProblems problems_;
};

}  // namespace packsentinel
