#include "host/HandlerErrors.h"

#include <map>
#include <string>
#include <utility>

#include "host/Entry.h"
#include "host/Log.h"

namespace host {
namespace {

// Distinct errors kept for counting; the ones past it are counted together. Texts rarely vary,
// but the count must stay bounded whatever they hold.
constexpr std::size_t kKeptErrors = 64;

// Summed up at unload, which may be the detach notification.
HOST_BUILT_BEFORE_ATTACH std::map<std::pair<std::string, std::string>, unsigned long long> repeats;
unsigned long long unkeptErrors = 0;

std::string Line(std::string_view handler, std::string_view text) {
  return std::string(handler) + " failed: " + std::string(text);
}

}  // namespace

void ReportHandlerError(std::string_view handler, std::string_view text) noexcept {
  try {
    const auto key = std::make_pair(std::string(handler), std::string(text));
    if (const auto it = repeats.find(key); it != repeats.end()) {
      ++it->second;
    } else if (repeats.size() < kKeptErrors) {
      repeats.emplace(key, 0);
      LogError(Line(handler, text));
    } else {
      ++unkeptErrors;
    }
  } catch (...) {
    // Out of memory while reporting: the error goes unlogged, the server goes on.
  }
}

void LogRepeatedHandlerErrors() noexcept {
  try {
    for (const auto& [key, count] : repeats) {
      if (count == 0) continue;
      LogError(Line(key.first, key.second) + " (and " + std::to_string(count) +
               (count == 1 ? " more time)" : " more times)"));
    }
    if (unkeptErrors > 0) {
      LogError(std::to_string(unkeptErrors) + " more handler errors, not logged one by one");
    }
  } catch (...) {
  }
  repeats.clear();
  unkeptErrors = 0;
}

}  // namespace host
