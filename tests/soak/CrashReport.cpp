#include "soak/CrashReport.h"

#include <csignal>
#include <cstdio>

// g++ and clang++ tell of the address sanitizer in their own ways.
#if defined(__SANITIZE_ADDRESS__)
#define SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_SANITIZED 1
#endif
#endif

#if defined(SOAK_SANITIZED)
#include <sanitizer/common_interface_defs.h>
#endif

namespace soak {
namespace {

const Session* watched = nullptr;

// Not safe in a signal handler by the book (it allocates), but the process is lost anyway and
// the report is what makes the crash reproducible.
void PrintReport() {
  if (watched == nullptr) return;
  std::fprintf(stderr, "soak crashed at %s", watched->Report().c_str());
  std::fflush(stderr);
}

#if !defined(SOAK_SANITIZED)
void OnFatalSignal(int signal) {
  PrintReport();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}
#endif

}  // namespace

CrashReport::CrashReport(const Session& session) {
  watched = &session;
#if defined(SOAK_SANITIZED)
  // The sanitizer keeps its own fatal-signal handlers, which print more.
  __sanitizer_set_death_callback(PrintReport);
#else
  for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
    std::signal(signal, OnFatalSignal);
  }
#endif
}

CrashReport::~CrashReport() { watched = nullptr; }

}  // namespace soak
