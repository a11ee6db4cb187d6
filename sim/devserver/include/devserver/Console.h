#pragma once

#include "devserver/DevServer.h"

namespace devserver {

// An interactive session at a terminal, with line editing and history: 0, or 2 once the events
// could not be written, which ends it.
int RunConsole(DevServer& server);

}  // namespace devserver
