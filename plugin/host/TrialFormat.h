#pragma once

// A template formatted once with sample arguments, as Format (host/Format.h) would format it,
// to learn whether it can be sent and how long it comes to. The configuration checks use it.

#include <cstddef>
#include <span>
#include <stdexcept>
#include <variant>

#include "host/Char.h"

namespace host {

// The formatter's reason for refusing a template.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using TrialArgument = std::variant<TextView, int32>;

// Characters the template comes to with these arguments; nothing is kept. Throws FormatError.
std::size_t FormattedLength(TextView format, std::span<const TrialArgument> arguments);

}  // namespace host
