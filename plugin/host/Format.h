#pragma once

// Texts formatted as the framework formats its texts (FString::Format): "{}" takes the next
// argument, "{N}" argument N, doubled braces print one. Replies use it, and the configuration
// checks use it to learn whether a template can be sent and how long it comes to.

#include <cstddef>
#include <cstdint>
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

// What a template may be given: texts and 32-bit numbers, at most kMostFormatArguments of them.
using FormatArgument = std::variant<TextView, std::int32_t>;
inline constexpr std::size_t kMostFormatArguments = 3;

// The template is read up to its first NUL and the result ends at its first NUL, as the
// framework's formatter does. Throws FormatError.
String Format(TextView format, std::span<const FormatArgument> arguments);

}  // namespace host
