#pragma once

#include "devserver/DevServer.h"

namespace devserver {

// An interactive session at a terminal, with line editing and history.
void RunConsole(DevServer& server);

}  // namespace devserver
