#pragma once

// Reply texts formatted as the host formats its texts: "{}" takes the next argument, "{N}"
// argument N, doubled braces print one. Against the real framework this is the one place that
// meets the formatter the framework bundles.

#include "host/Text.h"

namespace host {

// A template of host text. Arguments: host texts (views or FStrings), narrow texts (widened byte
// by byte) and numbers.
template <typename... Args>
FString Format(TextView format, const Args&... args) {
  return FString::FormatWide(format, args...);
}

// A narrow template, formatted as narrow text and then widened byte by byte.
template <typename... Args>
FString Format(const char* format, const Args&... args) {
  return FString::Format(format, args...);
}

}  // namespace host
