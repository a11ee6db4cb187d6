#include <API/ARK/Ark.h>

#include "host/Format.h"

#include <string>

#include "host/Text.h"

namespace host {
namespace {

// The framework's formatter takes its arguments as a pack, so the list is unfolded one argument
// at a time: every combination of kinds up to kMostFormatArguments is one instantiation.
template <typename... Unfolded>
FString FormatUnfolded(const Char* format, std::span<const FormatArgument> rest,
                       const Unfolded&... unfolded) {
  if constexpr (sizeof...(Unfolded) < kMostFormatArguments) {
    if (!rest.empty()) {
      return std::visit(
          [&](const auto& next) {
            return FormatUnfolded(format, rest.subspan(1), unfolded..., next);
          },
          rest.front());
    }
  } else if (!rest.empty()) {
    throw FormatError("more arguments than a template may be given");
  }
  return FString::Format(format, unfolded...);
}

}  // namespace

String Format(TextView format, std::span<const FormatArgument> arguments) {
  const String terminated(format);
  try {
    const FString text = FormatUnfolded(terminated.c_str(), arguments);
    return String(ViewOf(text));
  } catch (const std::runtime_error& error) {
    // fmt 4.1 throws fmt::FormatError, fmt 9 fmt::format_error: both are runtime errors.
    throw FormatError(error.what());
  }
}

}  // namespace host
