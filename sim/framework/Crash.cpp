#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "framework/Events.h"
#include "framework/Server.h"

namespace {

// Status 3: what a script, a test or CI reads as a crashed server, apart from a scenario's
// own errors (1) and usage errors (2).
[[noreturn]] void ExitAsCrashed() {
  std::cout.flush();
  std::fflush(nullptr);
  std::_Exit(3);
}

void (*crashHandler)() = ExitAsCrashed;

}  // namespace

namespace framework {

void CrashServer(std::string_view kind, std::string_view name, std::string_view text) {
  Events().Emit("server_crash", {{"kind", kind}, {"name", name}, {"text", text}});
  crashHandler();
  ExitAsCrashed();
}

void SetCrashHandler(void (*handler)()) { crashHandler = handler ? handler : ExitAsCrashed; }

}  // namespace framework
