#pragma once

// A scenario file run line by line.

#include <istream>
#include <ostream>
#include <string>

#include "devserver/DevServer.h"

namespace devserver {

// Runs a scenario to its end: 0, or 1 at the first line that cannot be run, with the reason
// written to errors as "NAME:LINE: reason". Lines may end in CRLF. Answers to a person (help,
// who, labels, snapshot) go to errors too, so that standard output keeps only events.
// runningLine, when given, holds the number of the line being run, and 0 once the script ends.
int RunScript(std::istream& in, const std::string& name, DevServer& server, std::ostream& errors,
              int* runningLine = nullptr);

}  // namespace devserver
