// The library's entry: the system's attach and detach notifications. On Windows the system calls
// DllMain, after the library's static initialisation; a false answer to the attach makes the
// loader release the library. Elsewhere the library's constructor and destructor stand for them,
// and the loader learns of a failed attach from LibraryAttachFailure. Nothing may escape them: an
// exception leaving a constructor or destructor ends the server process.

#include "host/Entry.h"

#include <exception>
#include <optional>
#include <string>

#include "core/Lifecycle.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace packsentinel {
namespace {

// Starts the plugin; none when it started, otherwise why not.
std::optional<std::string> Attach() {
  try {
    Load();
    return std::nullopt;
  } catch (const std::exception& error) {
    if (*error.what() != '\0') return error.what();
  } catch (...) {
  }
  return "unknown error at start-up";
}

void Detach() {
  try {
    if (IsLoaded()) Unload();
  } catch (...) {
    // Nothing to do at detach but go: the host is releasing the library.
  }
}

#ifndef _WIN32
// Why the attach failed, for the loader; empty after one that succeeded.
HOST_BUILT_BEFORE_ATTACH std::string attachFailure;

__attribute__((constructor)) void OnAttach() { attachFailure = Attach().value_or(""); }
__attribute__((destructor)) void OnDetach() { Detach(); }
#endif

}  // namespace
}  // namespace packsentinel

#ifdef _WIN32
extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return packsentinel::Attach() ? FALSE : TRUE;
    case DLL_PROCESS_DETACH:
      // A non-null reserved means the process is ending: its other threads are gone, the
      // framework may be torn down already, and the system frees everything anyway.
      if (reserved == nullptr) packsentinel::Detach();
      return TRUE;
    default:
      return TRUE;
  }
}
#else
// Asked by the loader right after it maps the library: none when the attach succeeded.
extern "C" __attribute__((visibility("default"))) const char* LibraryAttachFailure() {
  return packsentinel::attachFailure.empty() ? nullptr : packsentinel::attachFailure.c_str();
}
#endif
