// The library's entry: the system's attach and detach notifications. On Windows the system calls
// DllMain; elsewhere the library's constructor and destructor stand for them. Nothing may escape
// them: an exception leaving a constructor or destructor ends the server process.

#include <exception>

#include "ArkApi/PluginEntry.h"
#include "core/Lifecycle.h"
#include "host/Framework.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace packsentinel {
namespace {

// True when the notification succeeded.
bool LibraryNotification(int reason) {
  switch (reason) {
    case ArkApi::kProcessAttach:
      try {
        Load();
      } catch (const std::exception& error) {
        host::ReportAttachFailure(error.what());
        return false;
      } catch (...) {
        host::ReportAttachFailure("unknown error at start-up");
        return false;
      }
      return true;
    case ArkApi::kProcessDetach:
      try {
        if (IsLoaded) Unload();
      } catch (...) {
        // Nothing to do at detach but go: the host is releasing the library.
      }
      return true;
    default:
      return true;
  }
}

#ifndef _WIN32
__attribute__((constructor)) void OnAttach() { LibraryNotification(ArkApi::kProcessAttach); }
__attribute__((destructor)) void OnDetach() { LibraryNotification(ArkApi::kProcessDetach); }
#endif

}  // namespace
}  // namespace packsentinel

#ifdef _WIN32
// A false answer to the attach makes the loader release the library.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return packsentinel::LibraryNotification(ArkApi::kProcessAttach) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      return packsentinel::LibraryNotification(ArkApi::kProcessDetach) ? TRUE : FALSE;
    default:
      return TRUE;
  }
}
#endif
