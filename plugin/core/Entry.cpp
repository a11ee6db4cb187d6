// The library's entry: the system's attach and detach notifications, which on Linux are the
// library's constructor and destructor. Nothing may escape them: an exception leaving a
// constructor or destructor ends the server process.

#include <exception>

#include "ArkApi/PluginEntry.h"
#include "core/Lifecycle.h"
#include "host/Framework.h"

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

__attribute__((constructor)) void OnAttach() { LibraryNotification(ArkApi::kProcessAttach); }
__attribute__((destructor)) void OnDetach() { LibraryNotification(ArkApi::kProcessDetach); }

}  // namespace
}  // namespace packsentinel
