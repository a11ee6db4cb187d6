#pragma once

// config.json read as the plugin reads it, and, when it is no JSON, said in words a person can
// act on, the same at start, at a reload and in the checker.

#include <json.hpp>
#include <stdexcept>
#include <string>

#include "config/Problems.h"

namespace packsentinel {

// "NAME: line L, column C: what the parser found and expected", with a hint for the usual
// slips: a comma after the last entry, a comment, a text without its closing quote, a key not
// quoted. A number too large for the parser to hold is said at its place too.
class ConfigSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The first complete JSON value of the text, and a warning for each part the parse passes
// over: what follows the value, and a key given twice (the last is used).
struct ParsedConfig {
  nlohmann::json document;
  ConfigProblems ignored;
};

// Throws ConfigSyntaxError, naming the file as name.
ParsedConfig ParseConfig(const std::string& text, const std::string& name);

}  // namespace packsentinel
