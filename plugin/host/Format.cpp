#include <API/ARK/Ark.h>

#include "host/Format.h"

#include <string>

#include "host/Text.h"

namespace host {
namespace {

// The formatter's own refusal of a template. fmt 4.1, which the real framework bundles, names it
// FormatError; fmt 5 and later format_error.
#if FMT_VERSION < 50000
using FormatterError = fmt::FormatError;
#else
using FormatterError = fmt::format_error;
#endif

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
  } catch (const FormatterError& error) {
    // Anything else, a failed allocation above all, is no fault of the template's.
    throw FormatError(error.what());
  }
}

}  // namespace host
