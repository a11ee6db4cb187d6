#pragma once

// config.json read as the plugin reads it, and, when it is no JSON, said in words a person can
// act on, the same at start, at a reload and in the checker.

#include <istream>
#include <stdexcept>
#include <string>

#include "config/JsonFwd.h"

namespace packsentinel {

// "NAME: line L, column C: what the parser found and expected", with a hint for the usual
// slips: a comma after the last entry, a comment, a text without its closing quote, a key not
// quoted.
class ConfigSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The first complete JSON value of the stream; what follows it is ignored. Throws
// ConfigSyntaxError, naming the file as name.
nlohmann::json ParseConfig(std::istream& in, const std::string& name);

}  // namespace packsentinel
