#pragma once

// A plugin's only entry is the library notification the system sends when the library is
// mapped (attach) and released (detach). On Linux the library's constructor and destructor
// stand for them. A plugin whose attach fails says so here; the framework then reports the
// plugin as failed and releases it, as a loader does when the notification returns false.

#include "ArkApi/Export.h"

namespace ArkApi {

enum LibraryNotification : int { kProcessDetach = 0, kProcessAttach = 1 };

ARKAPI_EXPORT void ReportAttachFailure(const char* reason);

}  // namespace ArkApi
